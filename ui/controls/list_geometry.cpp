#include "ui/controls/list_geometry.h"

#include <algorithm>

namespace listgeo {
namespace {

// Height of the name band above and of the detail band below a row's middle.
constexpr int kLineBand = 15;

// Entry look under a sliced skin: texts and the icon box move right, the tick box stays put.
constexpr int kSlicedTextShift = 40;
constexpr int kSlicedIconShift = 28;

// Rect with its left and right edges cut to [left, right); empty (not inverted) when outside.
Rect ClipHorizontally(Rect r, int left, int right) {
    r.left = std::max(r.left, left);
    r.right = std::min(r.right, right);
    if (r.right < r.left) r.right = r.left;
    return r;
}

// Name box before the looks adjust it: the upper band of a two-line row, or the whole label.
Rect NameBox(const RowRects& rc, bool twoLine) {
    const Rect& lb = rc.label;
    if (!twoLine) return {lb.left + 1, lb.top + 1, lb.right, lb.bottom};
    const int half = lb.Height() / 2;
    return {lb.left + 1, lb.top + half - kLineBand, lb.right, lb.bottom - half};
}

// Detail box before the entry look adjusts it: the band below the row's middle.
Rect DetailBox(const RowRects& rc) {
    const Rect& lb = rc.label;
    const int half = lb.Height() / 2;
    return {lb.left + 1, lb.top + half, lb.right, lb.bottom - half + kLineBand};
}

}  // namespace

bool IsTwoLine(const RowStyle& style) {
    return style.hasDetail && style.kind != ROW_HEADER;
}

bool HasSlicedEntrySkin(unsigned skin) {
    const unsigned both = SKIN_ENTRYROWS | SKIN_THREESLICE;
    return (skin & both) == both;
}

Rect RowBox(const RowRects& rc) {
    Rect r = rc.bounds;
    r.left = 0;
    return r;
}

RowSlices SliceRowBox(const Rect& row, int leftWidth, int rightWidth) {
    RowSlices s;
    s.left = {row.left, row.top, row.left + leftWidth, row.bottom};
    s.right = {row.right - rightWidth, row.top, row.right, row.bottom};
    const int middleRight = std::max(s.left.right, s.right.left);
    s.middle = {s.left.right, row.top, middleRight, row.bottom};
    return s;
}

HeaderRowLayout LayoutHeaderRow(const RowRects& rc, unsigned skin) {
    HeaderRowLayout out;
    out.row = RowBox(rc);
    out.drawCaption = rc.label.right >= rc.icon.right;
    Rect cb = NameBox(rc, false);
    if (HasSlicedEntrySkin(skin)) {
        const int width = cb.Width();
        cb.left = rc.icon.left + 13;
        cb.right = cb.left + width;
    } else {
        cb.left = rc.icon.left - 5;
    }
    cb.top += 2;
    cb.bottom += 2;
    out.caption = cb;
    out.shadow = cb.Offset(kShadowOffset, kShadowOffset);
    return out;
}

EntryRowLayout LayoutEntryRow(const RowRects& rc, const RowStyle& style) {
    const Rect& lb = rc.label;
    const Rect& ic = rc.icon;
    const int h = lb.Height();

    EntryRowLayout out;
    out.row = RowBox(rc);
    out.twoLine = IsTwoLine(style);
    Rect nb = NameBox(rc, out.twoLine);
    Rect db = DetailBox(rc);
    out.cellBand = {nb.top, nb.bottom};

    if (style.look & LOOK_PANEL) {
        // The panel list has one column starting at x = 0, so the icon's width serves as an
        // x position and the icon always sits at x = 16.
        out.drawIcon = true;
        out.icon = {16, lb.top + (lb.bottom - style.iconHeight - lb.top) / 2};
        nb.left = ic.Width() + 27;
        nb.right = lb.right - 16;
        out.name = nb;
        out.drawName = lb.right >= nb.left;
        out.nameShadow = out.drawName;
        return out;
    }

    Rect ib = {ic.left - 5, ic.top, ic.right, ic.bottom};
    int tickShift = 1;
    if (HasSlicedEntrySkin(style.skin)) {
        nb = nb.Offset(kSlicedTextShift, 0);
        db = db.Offset(kSlicedTextShift, 0);
        ib = ib.Offset(kSlicedIconShift, 0);
        tickShift = kSlicedIconShift;
    }
    const int right0 = lb.right;  // where column 0 ends
    out.drawTick = right0 >= ib.left;
    out.tick = {ib.left - tickShift, lb.top + (h - kTickImageHeight) / 2 - 1};
    if (right0 >= ib.right) {
        out.drawIcon = true;
        out.icon = {ib.left + 1, lb.top + (h - style.iconHeight) / 2 - 2};
        if (right0 >= nb.left) {
            out.drawName = true;
            nb.right = right0 - 20;
            out.nameBold = out.twoLine;
        }
    }
    out.name = nb;
    if (out.twoLine) {
        out.drawDetail = true;
        // The line runs across all columns but ends with the row: past it the list's right
        // edge would cut off the "..." of a shortened line.
        db.right = out.row.right;
        if (right0 < ib.right) db.left = right0 + 6;
        out.detail = db;
    }
    return out;
}

EntryRowTexts ShortenEntryTexts(const EntryRowLayout& layout, WStringView name, WStringView detail,
                                const TextMeasure& normal, const TextMeasure& bold) {
    EntryRowTexts texts;
    if (layout.drawName) {
        texts.name = CompactText(name, layout.name.Width(), layout.nameBold ? bold : normal);
    }
    if (layout.drawDetail) texts.detail = CompactText(detail, layout.detail.Width(), normal);
    return texts;
}

std::vector<Rect> CellBoxes(const RowRects& rc, std::span<const int> widths) {
    const Rect& lb = rc.label;
    std::vector<Rect> cells;
    if (widths.empty()) return cells;
    cells.reserve(widths.size());
    cells.push_back(lb);
    int x = lb.right;
    for (size_t c = 1; c < widths.size(); ++c) {
        cells.push_back({x, lb.top, x + widths[c], lb.bottom});
        x += widths[c];
    }
    return cells;
}

bool CellIsDrawn(const Rect& cell) {
    return cell.Width() >= kMinCellWidth;
}

Align CellAlign(unsigned kind, int format) {
    if (kind != COL_TEXT) return Align::Center;
    switch (format & 0x3) {  // LVCFMT_JUSTIFYMASK
        case 0:              // LVCFMT_LEFT
            return Align::Left;
        case 1:  // LVCFMT_RIGHT
            return Align::Right;
        default:
            return Align::Center;
    }
}

Rect CellTextBox(const Rect& cell, Band band) {
    return {cell.left + 6, band.top, cell.right - 6, band.bottom};
}

int LinkSetIndex(std::span<const unsigned> kinds, int column) {
    int sets = 0;
    for (int c = 1; c < column && c < static_cast<int>(kinds.size()); ++c) {
        if (kinds[c] > COL_LINK) ++sets;
    }
    return sets;
}

std::vector<LinkBox> CellLinkBoxes(const Rect& cell, unsigned kind, WStringView cellText,
                                   std::span<const WString> linkSet, Band band,
                                   const TextMeasure& measure) {
    std::vector<LinkBox> links;
    if (kind == COL_TEXT) return links;

    if (kind == COL_LINK) {
        const int w = measure(cellText);
        const int x = cell.left + (cell.Width() - w) / 2;
        const Rect text = {x, band.top, x + w, band.bottom};
        const Rect drawn = CellTextBox(cell, band);
        links.push_back({text, ClipHorizontally(text, drawn.left, drawn.right)});
        return links;
    }

    if (linkSet.empty()) return links;
    WString joined;
    for (size_t k = 0; k < linkSet.size(); ++k) {
        if (k > 0) joined += kLinkGap;
        joined += linkSet[k];
    }
    const int gap = measure(kLinkGap);
    int x = cell.left + (cell.Width() - measure(joined)) / 2;
    links.reserve(linkSet.size());
    for (const WString& link : linkSet) {
        const int w = measure(link);
        const Rect text = {x, band.top, x + w, band.bottom};
        links.push_back({text, ClipHorizontally(text, cell.left, cell.right)});
        x += w + gap;
    }
    return links;
}

Band LinkHotBand(const RowRects& rc) {
    const Rect nb = NameBox(rc, true);
    return {nb.top, nb.bottom};
}

Rect CheckZone(const RowRects& rc) {
    // The row's full height rather than the icon rectangle's: the list view may report an
    // icon rectangle only as tall as the icon, while the tick box is centred in the row.
    return {0, rc.label.top, rc.icon.right, rc.label.bottom};
}

namespace {

HitResult HitTestEntryRow(Point p, const HitRow& row, const ListCells& cells,
                          const TextMeasure& measure) {
    const std::vector<Rect> boxes = CellBoxes(row.rects, cells.widths);
    for (size_t i = 0; i < boxes.size(); ++i) {
        const int c = static_cast<int>(i);
        // Column 0 is the name column whatever kind it was given: drawing never draws it as
        // links, so only its check zone can be hot.
        const Rect zone = c == 0 ? CheckZone(row.rects) : boxes[i];
        if (!zone.Contains(p)) continue;

        HitResult hit;
        if (c == 0) {
            hit.checkZone = true;
            hit.row = row.index;
            hit.column = 0;
            return hit;
        }
        const unsigned kind = i < cells.kinds.size() ? cells.kinds[i] : COL_TEXT;
        if (kind == COL_TEXT || !CellIsDrawn(zone)) return hit;

        WString text;
        std::vector<WString> set;
        if (kind == COL_LINK) {
            if (cells.text) text = cells.text(row.index, c);
        } else if (cells.linkSet) {
            set = cells.linkSet(LinkSetIndex(cells.kinds, c));
        }
        const std::vector<LinkBox> links =
            CellLinkBoxes(zone, kind, text, set, LinkHotBand(row.rects), measure);
        for (size_t k = 0; k < links.size(); ++k) {
            if (links[k].box.Contains(p)) {
                hit.hotKind = kind;
                hit.hotLink = static_cast<int>(k) + 1;
                hit.row = row.index;
                hit.column = c;
                break;
            }
        }
        return hit;
    }
    return {};
}

}  // namespace

HitResult HitTest(Point p, std::span<const HitRow> rows, const ListCells& cells,
                  const TextMeasure& measure) {
    for (const HitRow& row : rows) {
        const Rect& lb = row.rects.label;
        if (p.y < lb.top || p.y > lb.bottom) continue;
        if (row.kind != ROW_ENTRY) return {};
        const HitResult hit = HitTestEntryRow(p, row, cells, measure);
        if (hit.checkZone || hit.hotKind != 0) return hit;
    }
    return {};
}

}  // namespace listgeo
