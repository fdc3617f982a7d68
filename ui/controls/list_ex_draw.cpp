// CListEx drawing: header rows, entry rows in the panel and the entry look, the cells of the
// other columns, and the background behind the rows. Every box comes from the list geometry,
// which the mouse hit test reads too.
#include <algorithm>
#include <optional>

#include "ui/controls/list_ex.h"

namespace {

constexpr COLORREF kCaptionShadow = RGB(141, 141, 141);
constexpr COLORREF kCaption = RGB(0, 0, 0);
constexpr COLORREF kPanelShadow = RGB(35, 35, 35);
// Catalogue texts are drawn as they are: an '&' is a character, not an access key (and the
// measured widths count it as one).
constexpr UINT kTextFlags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

using fw::ToRect;

listgeo::Rect FromRect(const RECT& r) {
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
            static_cast<int>(r.bottom)};
}

void DrawTextIn(HDC hDC, WStringView text, const listgeo::Rect& box, UINT nFlags) {
    RECT rc = ToRect(box);
    ::DrawTextW(hDC, text.data(), static_cast<int>(text.size()), &rc, nFlags);
}

void DrawTextIn(HDC hDC, const CString& text, const listgeo::Rect& box, UINT nFlags) {
    DrawTextIn(hDC, WStringView(text.Str()), box, nFlags);
}

void DrawTextIn(HDC hDC, const WString& text, const listgeo::Rect& box, UINT nFlags) {
    DrawTextIn(hDC, WStringView(text), box, nFlags);
}

void FillSolid(HDC hDC, const listgeo::Rect& box, COLORREF cr) {
    fw::Fill(hDC, ToRect(box), cr);
}

// The bitmap stretched over the box; an empty box takes nothing (fw::Draw would draw the bitmap
// at its own size).
void Blit(HDC hDC, HDC hMemDC, const CBitmap* pBitmap, const listgeo::Rect& box) {
    if (box.Width() <= 0 || box.Height() <= 0) return;
    fw::Draw(hDC, hMemDC, *pBitmap, box.left, box.top, box.Width(), box.Height());
}

bool HasBitmap(const CBitmap* pBitmap) {
    return pBitmap && pBitmap->GetSafeHandle();
}

}  // namespace

// Everything one DrawItem call works with; nothing of it outlives the call.
struct CListEx::DrawContext {
    HDC hDC = nullptr;
    HDC hMemDC = nullptr;
    HFONT hNormal = nullptr;
    HFONT hBold = nullptr;
    HFONT hUnderline = nullptr;
    int nRow = 0;
    UINT nKind = ROW_ENTRY;
    const CString* pDetail = nullptr;
    int nState = 0;  // 0 normal, 1 selected with focus, 2 selected without focus
    int nImage = 0;
    int nCheck = -1;  // GetCheck: 1 ticked, 0 not ticked, -1 no tick box
    listgeo::RowRects rects;
    HIMAGELIST hSmall = nullptr;
    HIMAGELIST hState = nullptr;
};

listgeo::RowRects CListEx::GetRowRects(int nRow) const {
    RECT ic{}, lb{}, bd{};
    GetItemRect(nRow, &ic, LVIR_ICON);
    GetItemRect(nRow, &lb, LVIR_LABEL);
    GetItemRect(nRow, &bd, LVIR_BOUNDS);
    return listgeo::RowRects{FromRect(ic), FromRect(lb), FromRect(bd)};
}

void CListEx::DrawItem(DRAWITEMSTRUCT* pDIS) {
    if (pDIS->itemID == static_cast<UINT>(-1)) return;  // no row: nothing to draw
    const int nRow = static_cast<int>(pDIS->itemID);
    DrawContext dc;
    dc.hDC = pDIS->hDC;
    dc.nRow = nRow;
    // A row the records do not know is the caller's error: the arrays say so.
    const Row& row = m_rows[nRow];
    dc.pDetail = &row.strDetail;
    dc.nKind = row.nKind;

    // The fonts outlive the call (the list keeps them): the target lets go of them when it is
    // restored.
    const FontHandles fonts = Fonts();
    CMemoryDC mem(dc.hDC);
    CSavedDC saved(dc.hDC);
    dc.hMemDC = mem;
    // The list view hands over an opaque background mode (Wine does): texts would paint boxes
    // over the row skins.
    ::SetBkMode(dc.hDC, TRANSPARENT);
    dc.hNormal = fonts.hNormal;
    dc.hBold = fonts.hBold;
    dc.hUnderline = fonts.hUnderline;
    if (dc.hNormal) ::SelectObject(dc.hDC, dc.hNormal);

    dc.hSmall = GetImageList(LVSIL_SMALL);
    dc.hState = GetImageList(LVSIL_STATE);
    LVITEMW item{};
    item.mask = LVIF_IMAGE | LVIF_STATE;
    item.iItem = nRow;
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    GetItem(&item);
    dc.nImage = item.iImage;
    if (item.state & LVIS_SELECTED) dc.nState = ::GetFocus() == GetSafeHwnd() ? 1 : 2;
    dc.nCheck = GetCheck(nRow);
    dc.rects = GetRowRects(nRow);

    ::SetTextColor(dc.hDC, m_crText[dc.nState]);
    if (dc.nKind == ROW_HEADER)
        DrawHeaderRow(dc);
    else if (dc.nKind == ROW_ENTRY)
        DrawEntryRow(dc);
}

void CListEx::DrawRowBackground(const DrawContext& dc, const listgeo::Rect& row,
                                const CBitmap* const* pBitmaps) const {
    const int s = dc.nState;
    const CBitmap* pMiddle = pBitmaps ? pBitmaps[s] : nullptr;
    if (!pBitmaps || !(HasBitmap(pMiddle) || (m_nSkin & SKIN_THREESLICE))) {
        FillSolid(dc.hDC, row, m_crRowBk);
        return;
    }
    if (!(m_nSkin & SKIN_THREESLICE)) {
        Blit(dc.hDC, dc.hMemDC, pMiddle, row);
        return;
    }
    // A slice that the owner did not give takes no room; a missing middle is the row colour.
    const CBitmap* pLeft = pBitmaps[3 + s];
    const CBitmap* pRight = pBitmaps[6 + s];
    const int nLeft = HasBitmap(pLeft) ? pLeft->GetSize().cx : 0;
    const int nRight = HasBitmap(pRight) ? pRight->GetSize().cx : 0;
    const listgeo::RowSlices slices = listgeo::SliceRowBox(row, nLeft, nRight);
    if (HasBitmap(pMiddle))
        Blit(dc.hDC, dc.hMemDC, pMiddle, slices.middle);
    else
        FillSolid(dc.hDC, slices.middle, m_crRowBk);
    if (nLeft) Blit(dc.hDC, dc.hMemDC, pLeft, slices.left);
    if (nRight) Blit(dc.hDC, dc.hMemDC, pRight, slices.right);
}

void CListEx::DrawHeaderRow(const DrawContext& dc) const {
    const listgeo::HeaderRowLayout layout = listgeo::LayoutHeaderRow(dc.rects, m_nSkin);
    DrawRowBackground(dc, layout.row, (m_nSkin & SKIN_HEADERROWS) ? m_pHeaderBmp.data() : nullptr);
    if (!layout.drawCaption) return;
    // The caption spans the row (nothing else is drawn in it) up to the row's right-hand
    // slice: a category name longer than column 0 is not cut off in the middle of a character.
    // Should it not fit even so, it ends in "...".
    listgeo::Rect caption = layout.caption;
    listgeo::Rect shadow = layout.shadow;
    const CBitmap* pRight = m_pHeaderBmp[6 + dc.nState];
    const int nRight =
        (m_nSkin & SKIN_HEADERROWS) && (m_nSkin & SKIN_THREESLICE) && HasBitmap(pRight)
            ? pRight->GetSize().cx
            : 6;
    caption.right = std::max(caption.right, layout.row.right - nRight);
    shadow.right = caption.right + listgeo::kShadowOffset;
    const HDC hDC = dc.hDC;
    const CString text = GetItemText(dc.nRow, 0);
    const WString fitted =
        listgeo::CompactText(WStringView(text.Str()), caption.Width(), MeasureIn(hDC, dc.hNormal));
    // The caption's colours are its own, whatever the row's state.
    ::SetTextColor(hDC, kCaptionShadow);
    DrawTextIn(hDC, fitted, shadow, kTextFlags);
    ::SetTextColor(hDC, kCaption);
    DrawTextIn(hDC, fitted, caption, kTextFlags);
}

void CListEx::DrawEntryRow(const DrawContext& dc) const {
    listgeo::RowStyle style;
    style.kind = dc.nKind;
    style.look = m_nLook;
    style.skin = m_nSkin;
    style.hasDetail = !dc.pDetail->IsEmpty();
    style.iconHeight = m_nIconHeight;
    const listgeo::EntryRowLayout layout = listgeo::LayoutEntryRow(dc.rects, style);
    DrawRowBackground(dc, layout.row, (m_nSkin & SKIN_ENTRYROWS) ? m_pEntryBmp.data() : nullptr);

    if (layout.drawTick && dc.hState && dc.nCheck >= 0) {
        ::ImageList_Draw(dc.hState, dc.nCheck == 1 ? 1 : 0, dc.hDC, layout.tick.x, layout.tick.y,
                         ILD_TRANSPARENT);
    }
    if (layout.drawIcon && dc.hSmall) {
        ::ImageList_Draw(dc.hSmall, dc.nImage, dc.hDC, layout.icon.x, layout.icon.y,
                         ILD_TRANSPARENT);
    }

    // Each text is shortened in the font it is drawn in.
    const HDC hDC = dc.hDC;
    const listgeo::TextMeasure normal = MeasureIn(hDC, dc.hNormal);
    const listgeo::TextMeasure bold = MeasureIn(hDC, dc.hBold);
    const CString name = GetItemText(dc.nRow, 0);
    const listgeo::EntryRowTexts texts = listgeo::ShortenEntryTexts(
        layout, WStringView(name.Str()), WStringView(dc.pDetail->Str()), normal, bold);

    if (layout.drawName) {
        CSelectObject font(hDC, layout.nameBold ? dc.hBold : dc.hNormal);
        if (layout.nameShadow) {
            ::SetTextColor(hDC, kPanelShadow);
            DrawTextIn(hDC, texts.name,
                       layout.name.Offset(listgeo::kShadowOffset, listgeo::kShadowOffset),
                       kTextFlags);
        }
        ::SetTextColor(hDC, m_crText[dc.nState]);
        DrawTextIn(hDC, texts.name, layout.name, kTextFlags);
    }
    if (layout.drawDetail) {
        ::SetTextColor(hDC, m_crDetail[dc.nState]);
        DrawTextIn(hDC, texts.detail, layout.detail, kTextFlags);
    }
    DrawCells(dc, layout.cellBand);
}

void CListEx::DrawCells(const DrawContext& dc, listgeo::Band band) const {
    std::vector<int> widths;
    std::vector<int> formats;
    for (int c = 0;; ++c) {
        LVCOLUMNW col{};
        col.mask = LVCF_FMT | LVCF_WIDTH;
        if (!GetColumn(c, &col)) break;
        widths.push_back(col.cx);
        formats.push_back(col.fmt);
    }
    const std::vector<listgeo::Rect> cells = listgeo::CellBoxes(dc.rects, widths);
    const std::vector<unsigned> kinds = ColumnKinds();
    const HDC hDC = dc.hDC;
    const listgeo::TextMeasure measure = MeasureIn(hDC, dc.hNormal);

    for (size_t i = 1; i < cells.size(); ++i) {
        const int c = static_cast<int>(i);
        const listgeo::Rect& cell = cells[i];
        if (!listgeo::CellIsDrawn(cell)) continue;
        const UINT nKind = GetColumnKind(c);
        const CString text = GetItemText(dc.nRow, c);
        if (nKind == COL_TEXT) {
            UINT nAlign = DT_CENTER;
            switch (listgeo::CellAlign(nKind, formats[i])) {
                case listgeo::Align::Left:
                    nAlign = DT_LEFT;
                    break;
                case listgeo::Align::Right:
                    nAlign = DT_RIGHT;
                    break;
                case listgeo::Align::Center:
                    break;
            }
            CSelectObject font(hDC, dc.hNormal);
            ::SetTextColor(hDC, m_crText[dc.nState]);
            DrawTextIn(hDC, text, listgeo::CellTextBox(cell, band), nAlign | kTextFlags);
            continue;
        }

        std::vector<WString> linkSet;
        std::vector<WString> texts;
        if (nKind == COL_LINK) {
            texts.push_back(text.Str());
        } else {
            for (const CString& link : m_arrLinkSets.at(listgeo::LinkSetIndex(kinds, c)))
                linkSet.push_back(link.Str());
            texts = linkSet;
        }
        const std::vector<listgeo::LinkBox> links =
            listgeo::CellLinkBoxes(cell, nKind, WStringView(text.Str()), linkSet, band, measure);
        CSelectObject font(hDC, dc.hUnderline);
        ::SetTextColor(hDC, m_crLink[dc.nState]);
        for (size_t k = 0; k < links.size() && k < texts.size(); ++k) {
            // Each link is drawn from where its box starts and clipped to the part of it that
            // is hot, so the pointer finds exactly the drawn text.
            CSavedDC clip(hDC);
            ::IntersectClipRect(hDC, links[k].box.left, links[k].box.top, links[k].box.right,
                                links[k].box.bottom);
            DrawTextIn(hDC, WStringView(texts[k]), links[k].text, DT_LEFT | kTextFlags | DT_NOCLIP);
        }
    }
}

BOOL CListEx::OnEraseBkgnd(HDC hDC) {
    RECT rc{};
    GetClientRect(&rc);
    if (m_nSkin & SKIN_BKBITMAP) {
        if (!HasBitmap(m_pBkBitmap)) return FALSE;
        CMemoryDC mem(hDC);
        Blit(hDC, mem, m_pBkBitmap, FromRect(rc));
        return TRUE;
    }
    if (m_nSkin & SKIN_NOERASE) return TRUE;
    CBrush brush;
    brush.CreateSolidBrush(m_crBack);
    ::FillRect(hDC, &rc, brush);
    return TRUE;
}

CString CListEx::CompactText(HDC hDC, const CString& text, const RECT& rc) const {
    if (text.IsEmpty()) return text;
    std::optional<CClientDC> desktop;
    if (!hDC) {
        desktop.emplace(::GetDesktopWindow());
        hDC = *desktop;
    }
    return CString(
        listgeo::CompactText(WStringView(text.Str()), rc.right - rc.left, MeasureIn(hDC)));
}
