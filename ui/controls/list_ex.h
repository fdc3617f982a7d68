// CListEx: the owner-drawn catalogue list: entry rows and header rows, text, link and link-set
// columns, row skins and colours, and its own hit test of the tick box and the action links.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <memory>
#include <vector>

#include "fw/arrays.h"
#include "fw/gdi.h"
#include "fw/list_ctrl.h"
#include "ui/controls/list_geometry.h"

// Created by the owner as a child with LVS_REPORT | LVS_OWNERDRAWFIXED (the owner also gives
// LVS_SINGLESEL | LVS_NOCOLUMNHEADER), then configured through the operations below. The list
// sends no message of its own: the owner gets the list view's NM_CLICK (and reads GetHotLink)
// and LVN_ITEMCHANGED. The tick of a row is the list view's state image (GetCheck / SetCheck:
// 1 ticked, 0 not, -1 no tick box). A click in an entry row's check zone (left of the end of
// the icon rectangle) flips its tick exactly once, on the list view's NM_CLICK; the list view's
// own flips during that click, and any change of a header row's tick, are refused.
class CListEx : public CListCtrl {
public:
    // Row kinds. A row of any other kind is neither drawn nor hot.
    static constexpr UINT ROW_ENTRY = listgeo::ROW_ENTRY;
    static constexpr UINT ROW_HEADER = listgeo::ROW_HEADER;
    // Column kinds; a kind n >= 2 is a column of n links taken from its link set.
    static constexpr UINT COL_TEXT = listgeo::COL_TEXT;
    static constexpr UINT COL_LINK = listgeo::COL_LINK;
    // Look flag: the category list's panel look (SetLook).
    static constexpr int LOOK_PANEL = listgeo::LOOK_PANEL;
    // Skin flags (SetSkinFlags). The entry lists use 0x0E, the category list 0x0A.
    static constexpr UINT SKIN_BKBITMAP = listgeo::SKIN_BKBITMAP;      // erase with the bitmap
    static constexpr UINT SKIN_ENTRYROWS = listgeo::SKIN_ENTRYROWS;    // entry-row bitmaps
    static constexpr UINT SKIN_HEADERROWS = listgeo::SKIN_HEADERROWS;  // header-row bitmaps
    static constexpr UINT SKIN_THREESLICE = listgeo::SKIN_THREESLICE;  // left / middle / right
    static constexpr UINT SKIN_NOERASE = listgeo::SKIN_NOERASE;        // erasing paints nothing
    static constexpr int MAX_LINKSETS = listgeo::MAX_LINKSETS;
    // AddRow without an image index.
    static constexpr int NO_IMAGE = -1;

    // Nine row bitmaps: index 3 x slice + state, slices middle (0), left (1), right (2), states
    // normal (0), selected with focus (1), selected without focus (2). The owner keeps them.
    using RowBitmaps = std::array<CBitmap*, 9>;

    CListEx();
    ~CListEx() override;

    // --- building the list -------------------------------------------------------------------
    // Inserts the list-view column nCol and records its kind and auto-width flag at index nCol
    // (an index past the end grows the records with text columns). The list view appends a
    // column numbered past its last one, so skipped numbers leave the records and the list
    // view's numbering apart. Returns the list view's column index, or -1.
    int AddColumn(int nCol, LPCWSTR pszHeading, int nFormat, int nWidth, UINT nKind = COL_TEXT,
                  BOOL bAutoWidth = FALSE);
    // Inserts a row with its kind and detail line (the second line under an entry's name; empty
    // for none) at nRow, or at the end when nRow is past it. nImage indexes the small image
    // list. Refits column 0 when it is auto-width. Returns the row's index, or -1.
    int AddRow(int nRow, LPCWSTR pszText, int nImage = NO_IMAGE, UINT nKind = ROW_ENTRY,
               LPCWSTR pszDetail = nullptr);
    // Sets a cell's text. Column 0 also loses the row's detail line; a column >= 1 becomes of
    // nKind (COL_TEXT or COL_LINK), giving up its link set if it had one. Returns the list
    // view's result, or 0 (nothing changed) for a row or column out of range or a link-set
    // kind (link sets come from SetCellLinks).
    int SetCellText(int nRow, int nCol, LPCWSTR pszText, UINT nKind = COL_TEXT);
    // Shows the links side by side in the cell: one link makes a COL_LINK cell; two or more
    // make the column a column of that many links, whose link set they become (a column that
    // already had a set gets it replaced). 0 when nothing changed: no link, a row or column
    // out of range, or a new set needed while MAX_LINKSETS are in use.
    int SetCellLinks(int nRow, int nCol, const CStringArray& links);
    // Fits the column to its widest text and keeps it auto-width; 0 for an unknown column.
    int AutoSizeColumn(int nCol);
    // Ticks or unticks every entry row; header rows keep theirs. Returns the row count.
    int CheckAllEntries(BOOL bCheck);

    // --- look --------------------------------------------------------------------------------
    // Row height in pixels (0: the platform's); the list measures its rows again at once.
    void SetItemHeight(int nHeight);
    // The item icons' size; their height centres them in the row.
    void SetIconSize(int cx, int cy);
    // The setters below repaint the list once, with its updates locked while they change it.
    void SetTextColors(COLORREF crNormal, COLORREF crSelFocused, COLORREF crSelUnfocused);
    void SetDetailColors(COLORREF crNormal, COLORREF crSelFocused, COLORREF crSelUnfocused);
    // A 0 argument keeps that colour.
    void SetLinkColors(COLORREF crNormal, COLORREF crSelFocused, COLORREF crSelUnfocused);
    // Fill of the client area behind the rows; 0 keeps the colour.
    void SetBackColor(COLORREF crBack);
    // Fill of rows whose kind has no bitmaps.
    void SetRowBackColor(COLORREF crRowBk);
    // Bitmaps are the owner's and must outlive the list's use of them; these three repaint
    // only when skin flags are set.
    void SetBkBitmap(CBitmap* pBitmap);
    void SetEntryRowBitmaps(const RowBitmaps& bitmaps);
    void SetHeaderRowBitmaps(const RowBitmaps& bitmaps);
    void SetSkinFlags(UINT nSkin);
    // These two take effect at the next drawing / the next frame calculation.
    void SetLook(int nLook) { m_nLook = nLook; }
    void ShowScrollBars(BOOL bShow) { m_bScrollBars = bShow; }

    // --- what the owner reads ----------------------------------------------------------------
    // The link under the pointer at its last move over the list (or at the last press): on the
    // actions column 1 = "手动安装", 2 = "自动安装", 3 = "保存安装包"; 0 = none. An owner's
    // NM_CLICK handler reads it, before or after the list's own reaction to the click.
    int GetHotLink() const { return m_hot.hotLink; }
    // Kind of the column holding the hot link (0 = no hot link).
    UINT GetHotKind() const { return m_hot.hotKind; }
    // The pointer was in an entry row's check zone.
    BOOL IsCheckZoneHot() const { return m_hot.checkZone ? TRUE : FALSE; }

    UINT GetRowKind(int nRow) const { return m_rows[nRow].nKind; }
    const CString& GetRowDetail(int nRow) const { return m_rows[nRow].strDetail; }
    int GetHeaderRowCount() const { return m_nHeaderRows; }
    // Kind and auto-width flag as recorded per column number (0 and FALSE beyond the records).
    int GetColumnRecordCount() const { return m_cols.GetSize(); }
    UINT GetColumnKind(int nCol) const;
    BOOL IsAutoWidth(int nCol) const;
    int GetLinkSetCount() const { return m_nLinkSets; }
    const CStringArray& GetLinkSet(int nSet) const { return m_arrLinkSets.at(nSet); }

    // Repaints the focused row and the selected rows at once, in their current state colours.
    void RedrawSelection();
    // The text as it fits into rc's width with a trailing "...", measured in the font selected
    // into hDC; without a device context, in the desktop's default font.
    CString CompactText(HDC hDC, const CString& text, const RECT& rc) const;

    void DrawItem(DRAWITEMSTRUCT* pDrawItemStruct) override;

protected:
    // The header's divider cannot be dragged or double-clicked on a column of links.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    bool ProcessMessageTable(fw::MsgContext& ctx) override {
        return ctx.Run(*this, kMessages) || CListCtrl::ProcessMessageTable(ctx);
    }

private:
    class UpdateLock;
    class FontSet;
    // What the list records of each list-view row, in the rows' order.
    struct Row {
        UINT nKind = ROW_ENTRY;
        CString strDetail;  // the second line under an entry's name; empty for none
    };
    // What the list records per column number (see AddColumn).
    struct Column {
        UINT nKind = COL_TEXT;
        bool bAutoWidth = false;
    };
    // Counts one level of a nested state for as long as it lives.
    class Scope {
    public:
        explicit Scope(int& nDepth) : m_nDepth(nDepth) { ++m_nDepth; }
        ~Scope() { --m_nDepth; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        int& m_nDepth;
    };

    // --- bookkeeping (list_ex.cpp) ---
    int LinkSetIndex(int nCol) const;
    void InsertLinkSet(int nSet, const CStringArray& links);
    void RemoveLinkSet(int nSet);
    void InvalidateRow(int nRow);
    std::vector<unsigned> ColumnKinds() const;
    // The list's font (as hDC has it selected, or the list's own) and its bold and underlined
    // forms; made once per font and shared by every list drawn in the same one.
    struct FontHandles {
        HFONT hNormal;
        HFONT hBold;
        HFONT hUnderline;
    };
    FontHandles Fonts() const;

    // --- measuring: the one way the list measures a text, in the font selected into hDC ---
    static int TextWidth(HDC hDC, WStringView text);
    // The same with hFont selected meanwhile (null: the font that is selected).
    static listgeo::TextMeasure MeasureIn(HDC hDC, HFONT hFont = nullptr);

    // --- drawing (list_ex_draw.cpp) ---
    struct DrawContext;
    void DrawRowBackground(const DrawContext& dc, const listgeo::Rect& row,
                           const CBitmap* const* pBitmaps) const;
    void DrawHeaderRow(const DrawContext& dc) const;
    void DrawEntryRow(const DrawContext& dc) const;
    void DrawCells(const DrawContext& dc, listgeo::Band band) const;
    listgeo::RowRects GetRowRects(int nRow) const;

    // --- mouse (list_ex_mouse.cpp) ---
    listgeo::HitResult HitTestAt(POINT pt) const;
    // The hot state at pt: the hit test made for the cursor just before this mouse message,
    // when it was made at the same point, else a new one.
    void TakeHitTest(POINT pt);
    void ForgetCursorHit() { m_bCursorHit = false; }
    void FlipTick(int nRow);

    // --- message handlers ---
    fw::Reply OnMeasureItem(MEASUREITEMSTRUCT* pMIS);
    void OnSetFocus(HWND hOther);
    void OnKillFocus(HWND hOther);
    void OnSetFont(HFONT hFont, BOOL bRedraw);
    void OnPaint();
    LRESULT OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* pParams);
    BOOL OnEraseBkgnd(HDC hDC);
    void OnMouseMove(UINT nFlags, POINT pt);
    void OnLButtonDown(UINT nFlags, POINT pt);
    void OnLButtonUp(UINT nFlags, POINT pt);
    void OnLButtonDblClk(UINT nFlags, POINT pt);
    fw::Reply OnSetCursor(HWND hWnd, UINT nHitTest, UINT message);
    fw::Reply OnClick(NMITEMACTIVATE* pNM);
    fw::Reply OnItemChanging(NMLISTVIEW* pNM);

    static constexpr fw::MsgEntry kMessages[] = {
        fw::Reflect<WM_MEASUREITEM, &CListEx::OnMeasureItem>,
        fw::Msg<WM_SETFOCUS, &CListEx::OnSetFocus>,
        fw::Msg<WM_KILLFOCUS, &CListEx::OnKillFocus>,
        fw::Msg<WM_SETFONT, &CListEx::OnSetFont>,
        fw::Msg<WM_PAINT, &CListEx::OnPaint>,
        fw::Msg<WM_NCCALCSIZE, &CListEx::OnNcCalcSize>,
        fw::Msg<WM_ERASEBKGND, &CListEx::OnEraseBkgnd>,
        fw::Msg<WM_MOUSEMOVE, &CListEx::OnMouseMove>,
        fw::Msg<WM_LBUTTONDOWN, &CListEx::OnLButtonDown>,
        fw::Msg<WM_LBUTTONUP, &CListEx::OnLButtonUp>,
        fw::Msg<WM_LBUTTONDBLCLK, &CListEx::OnLButtonDblClk>,
        fw::Msg<WM_SETCURSOR, &CListEx::OnSetCursor>,
        fw::ReflectNotify<NM_CLICK, &CListEx::OnClick>,
        fw::ReflectNotify<LVN_ITEMCHANGING, &CListEx::OnItemChanging>,
    };

    int m_nIconWidth = 32;
    int m_nIconHeight = 32;
    // Hot state: what lay under the pointer at its last move (or press) over the list. Its
    // row is the row whose check zone a click flips (when checkZone).
    listgeo::HitResult m_hot;
    // The hot state was just taken for the cursor at m_ptCursorHit (WM_SETCURSOR comes before
    // the mouse message it announces): that message takes it instead of testing again.
    bool m_bCursorHit = false;
    POINT m_ptCursorHit{};
    COLORREF m_crText[3];
    COLORREF m_crDetail[3];
    COLORREF m_crLink[3];
    COLORREF m_crRowBk;
    COLORREF m_crBack;
    int m_nHeaderRows = 0;
    fw::Array<Row> m_rows;
    fw::Array<Column> m_cols;
    std::array<CStringArray, MAX_LINKSETS> m_arrLinkSets;
    int m_nLinkSets = 0;
    int m_nItemHeight = 0;
    // Made at the first paint from the font the list then has, again after WM_SETFONT.
    mutable std::shared_ptr<const FontSet> m_pFonts;
    mutable HFONT m_hFontsOf = nullptr;
    // Nesting of the setters' UpdateLock: only the outermost one turns redrawing off and on.
    int m_nUpdateLocks = 0;
    int m_nLook = 0;
    UINT m_nSkin = 0;
    CBitmap* m_pBkBitmap = nullptr;
    RowBitmaps m_pEntryBmp{};
    RowBitmaps m_pHeaderBmp{};
    BOOL m_bScrollBars = TRUE;

    // Inside the list view's own handling of a press, release or double click: the tick
    // changes it makes by itself are refused, so that a click flips a tick once (ours).
    int m_nMouseDepth = 0;
    // Inside the list's own tick change.
    int m_nOwnTickChange = 0;
};
