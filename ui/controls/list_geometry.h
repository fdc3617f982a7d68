// Geometry of the catalogue list's rows: the boxes its drawing paints into and the zones its
// mouse hit test reads, computed by the same functions so that the two never disagree.
#pragma once

#include <functional>
#include <span>
#include <vector>

#include "app/wstring.h"
#include "ui/controls/text_compact.h"

namespace listgeo {

// Row kinds (m_arrRowKind). Rows of any other kind are neither drawn nor hot.
inline constexpr unsigned ROW_ENTRY = 0;
inline constexpr unsigned ROW_HEADER = 1;

// Column kinds (m_arrColKind). A kind n >= 2 is a column of n links taken from its link set.
inline constexpr unsigned COL_TEXT = 0;
inline constexpr unsigned COL_LINK = 1;

// Look flag (m_nLook): the category list's panel look.
inline constexpr int LOOK_PANEL = 2;

// Skin flags (m_nSkin).
inline constexpr unsigned SKIN_BKBITMAP = 0x01;
inline constexpr unsigned SKIN_ENTRYROWS = 0x02;
inline constexpr unsigned SKIN_HEADERROWS = 0x04;
inline constexpr unsigned SKIN_THREESLICE = 0x08;
inline constexpr unsigned SKIN_NOERASE = 0x10;

// The most link sets a list holds.
inline constexpr int MAX_LINKSETS = 10;

// What separates the links of a link set in the cell text; its width is the gap between links.
inline constexpr WStringView kLinkGap = WSTR("    ");

// A cell narrower than this is neither drawn nor hot.
inline constexpr int kMinCellWidth = 12;

// How far (right and down) a caption's or a panel name's shadow lies from the text.
inline constexpr int kShadowOffset = 1;

// Height the state images (tick boxes) are placed as.
inline constexpr int kTickImageHeight = 16;

// A client point.
struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// A client rectangle with RECT's fields, so the Windows code converts it member by member.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // PtInRect: the left and top edges are inside, the right and bottom edges are not.
    bool Contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A vertical extent [top, bottom) that texts are centred in.
struct Band {
    int top = 0;
    int bottom = 0;
    friend bool operator==(const Band&, const Band&) = default;
};

// The list view's own rectangles of one row: LVIR_ICON, LVIR_LABEL and LVIR_BOUNDS.
struct RowRects {
    Rect icon;
    Rect label;
    Rect bounds;
};

// What beside its rectangles decides how a row is laid out.
struct RowStyle {
    unsigned kind = ROW_ENTRY;  // the row's kind
    int look = 0;               // the list's look flags
    unsigned skin = 0;          // the list's skin flags
    bool hasDetail = false;     // the row's detail line is not empty
    int iconHeight = 32;        // the item icons' height
};

// True when the row is drawn on two lines: name above the row's middle, detail line below.
bool IsTwoLine(const RowStyle& style);

// True when entry rows are painted from left / middle / right bitmaps, which moves the
// entry look's tick box, icon and texts to the right.
bool HasSlicedEntrySkin(unsigned skin);

// The box a row's background is painted over: its bounds from the client's left edge.
Rect RowBox(const RowRects& rc);

// The three parts of a row painted from bitmap slices of the given widths.
struct RowSlices {
    Rect left;
    Rect middle;  // never of negative width, so a narrow row does not mirror the bitmap
    Rect right;
};
RowSlices SliceRowBox(const Rect& row, int leftWidth, int rightWidth);

// A header row: background and the category caption with its shadow.
struct HeaderRowLayout {
    Rect row;                  // background
    bool drawCaption = false;  // false while column 0 ends left of the icon rectangle's right
    Rect caption;              // caption box (DT_SINGLELINE | DT_VCENTER, never shortened)
    Rect shadow;               // shadow box, drawn first
};
HeaderRowLayout LayoutHeaderRow(const RowRects& rc, unsigned skin);

// An entry row, in the category list's panel look or the entry lists' look. Each draw flag
// says whether column 0 is wide enough; the caller also needs the image list in question.
struct EntryRowLayout {
    Rect row;               // background
    bool twoLine = false;   // the row has a detail line
    bool drawTick = false;  // entry look only
    Point tick;             // top-left of the state image
    bool drawIcon = false;
    Point icon;  // top-left of the item icon
    bool drawName = false;
    Rect name;                // the name is shortened to this width and drawn left-aligned in it
    bool nameBold = false;    // the name is drawn (and so measured) in the bold font
    bool nameShadow = false;  // panel look: drawn first at name.Offset(kShadowOffset, ...)
    bool drawDetail = false;  // entry look with a detail line
    Rect detail;              // the detail line, normal font, across the row's columns
    Band cellBand;            // where the other columns' texts and links are drawn
};
EntryRowLayout LayoutEntryRow(const RowRects& rc, const RowStyle& style);

// An entry row's name and detail line as they are drawn.
struct EntryRowTexts {
    WString name;    // empty when the layout draws no name
    WString detail;  // empty when the layout draws no detail line
};

// Shortens the name and the detail line to their boxes, each measured in the font it is drawn
// in: the name in bold when the layout says so, the detail line always in the normal font.
EntryRowTexts ShortenEntryTexts(const EntryRowLayout& layout, WStringView name, WStringView detail,
                                const TextMeasure& normal, const TextMeasure& bold);

// The cells of a row, one per list-view column (widths in column order, column 0 first):
// element 0 is column 0's label box; column c >= 1 runs from the end of column c - 1 (column
// 0 ends at the label's right edge) over its width, over the row's label height.
std::vector<Rect> CellBoxes(const RowRects& rc, std::span<const int> widths);

// True when a cell is wide enough to be drawn and hit-tested.
bool CellIsDrawn(const Rect& cell);

// Horizontal placement of a cell's text.
enum class Align { Left, Center, Right };

// Alignment of a cell of the given column kind; format is the column's LVCFMT_* value, whose
// justification bits count (links are always centred).
Align CellAlign(unsigned kind, int format);

// The box a text cell's text is drawn in: the cell less 6 pixels each side, in the band.
Rect CellTextBox(const Rect& cell, Band band);

// The link set that belongs to a multi-link column: the number of multi-link columns left of
// it, counted from column 1.
int LinkSetIndex(std::span<const unsigned> kinds, int column);

// One link of a cell.
struct LinkBox {
    Rect text;  // where the whole link text lies when drawn (text.left is the drawing origin)
    Rect box;   // the part of it inside the cell: drawn (as a clip) and hot
};

// The links of a cell of the given kind, in order, placed in band: a COL_LINK cell's text
// centred in the cell and clipped to its text box; a multi-link cell's links side by side,
// the whole set (joined by kLinkGap) centred, the gaps not covered, clipped to the cell.
// A text cell has none. measure is the width in the normal font (the underlined one draws
// the same widths). Drawing and hit testing both place links through this function.
std::vector<LinkBox> CellLinkBoxes(const Rect& cell, unsigned kind, WStringView cellText,
                                   std::span<const WString> linkSet, Band band,
                                   const TextMeasure& measure);

// Where links are hot: the 15-pixel band above the row's middle, whatever the row's layout
// (on a one-line row the lower part of a link text is not hot).
Band LinkHotBand(const RowRects& rc);

// The check zone of an entry row: from the client's left edge to the icon rectangle's right
// edge, over the row's whole height.
Rect CheckZone(const RowRects& rc);

// A row as the hit test sees it.
struct HitRow {
    int index = 0;  // the row's item index
    unsigned kind = ROW_ENTRY;
    RowRects rects;
};

// The list's columns and texts as the hit test reads them.
struct ListCells {
    std::span<const int> widths;                           // list-view column widths
    std::span<const unsigned> kinds;                       // kind per column (missing: text)
    std::function<WString(int row, int column)> text;      // a cell's list-view text
    std::function<std::vector<WString>(int set)> linkSet;  // a link set (empty when unused)
};

// What lies under the pointer: the control's hot state after a mouse move.
struct HitResult {
    bool checkZone = false;  // m_bCheckZoneHit
    unsigned hotKind = 0;    // m_nHotKind: kind of the column holding the hot link, 0 = none
    int hotLink = 0;         // m_nHotLink: 1-based number of the hot link in its cell, 0 = none
    int row = -1;            // item index of the row hit (check zone or link), else -1
    int column = -1;         // column hit, else -1
    bool HandCursor() const { return hotKind != 0; }
};

// Hit test of a client point over rows given top to bottom. A row takes the point when it lies
// between its label's top and bottom edges, both included, so a point on the border between
// two rows is tried on the upper row first and goes on to the lower one only when the upper
// row is an entry row where nothing is hot. Over a row of another kind nothing is hot.
HitResult HitTest(Point p, std::span<const HitRow> rows, const ListCells& cells,
                  const TextMeasure& measure);

}  // namespace listgeo
