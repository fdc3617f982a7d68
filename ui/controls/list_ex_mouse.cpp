// CListEx and the mouse: the hit test of every move (check zone, links measured as they are
// drawn), the hand cursor, and the tick that a click in the check zone flips exactly once.
#include <algorithm>

#include "ui/controls/list_ex.h"

namespace {

HCURSOR HandCursor() {
    return ::LoadCursorW(nullptr, IDC_HAND);
}

}  // namespace

listgeo::HitResult CListEx::HitTestAt(POINT pt) const {
    const int nRows = GetItemCount();
    if (nRows <= 0) return {};

    CClientDC dc(GetSafeHwnd());
    CSelectObject font(dc, GetFont());
    const HDC hDC = dc;
    const listgeo::TextMeasure measure = [hDC](WStringView s) {
        SIZE size{};
        ::GetTextExtentPoint32W(hDC, s.data(), static_cast<int>(s.size()), &size);
        return static_cast<int>(size.cx);
    };

    // Only rows on the screen can be under the pointer (one more for a row cut at the bottom).
    const int nTop = std::max(0, static_cast<int>(SendMessage(LVM_GETTOPINDEX)));
    const int nPerPage = static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE));
    const int nLast = std::min(nRows - 1, nTop + std::max(nPerPage, 0) + 1);
    std::vector<listgeo::HitRow> rows;
    for (int r = nTop; r <= nLast; ++r) {
        listgeo::HitRow row;
        row.index = r;
        row.kind = m_arrRowKind[r];
        row.rects = GetRowRects(r);
        rows.push_back(row);
    }

    std::vector<int> widths;
    for (int c = 0;; ++c) {
        LVCOLUMNW col{};
        col.mask = LVCF_WIDTH;
        if (!GetColumn(c, &col)) break;
        widths.push_back(col.cx);
    }
    const std::vector<unsigned> kinds(m_arrColKind.begin(), m_arrColKind.end());
    listgeo::ListCells cells;
    cells.widths = widths;
    cells.kinds = kinds;
    cells.text = [this](int r, int c) { return GetItemText(r, c).Str(); };
    cells.linkSet = [this](int nSet) {
        std::vector<WString> links;
        for (const CString& link : m_arrLinkSets.at(nSet)) links.push_back(link.Str());
        return links;
    };
    return listgeo::HitTest(listgeo::Point{pt.x, pt.y}, rows, cells, measure);
}

void CListEx::TakeHitTest(POINT pt) {
    m_bCheckZoneHit = FALSE;
    m_nHotKind = 0;
    m_nHotLink = 0;
    m_nCheckRow = -1;
    const listgeo::HitResult hit = HitTestAt(pt);
    m_bCheckZoneHit = hit.checkZone ? TRUE : FALSE;
    m_nCheckRow = hit.checkZone ? hit.row : -1;
    m_nHotKind = hit.hotKind;
    m_nHotLink = hit.hotLink;
    if (hit.HandCursor()) ::SetCursor(HandCursor());
}

LRESULT CListEx::OnMouseMove(UINT, POINT pt) {
    TakeHitTest(pt);
    return Default();
}

LRESULT CListEx::OnLButtonDown(UINT, POINT pt) {
    // The press itself says what it landed on, whether or not a move came before it.
    TakeHitTest(pt);
    Scope mouse(m_nMouseDepth);
    return Default();
}

LRESULT CListEx::OnLButtonUp(UINT, POINT) {
    if (m_nHotKind) ::SetCursor(HandCursor());
    Scope mouse(m_nMouseDepth);
    return Default();
}

LRESULT CListEx::OnLButtonDblClk(UINT, POINT) {
    // The second press of a double click flips nothing: the first one did.
    m_bCheckZoneHit = FALSE;
    m_nCheckRow = -1;
    Scope mouse(m_nMouseDepth);
    return Default();
}

fw::Reply CListEx::OnSetCursor(WPARAM, LPARAM lParam) {
    // Asked before each move is handled: answered from where the pointer is now, so that the
    // arrow never shows for a moment over a link.
    if (LOWORD(lParam) != HTCLIENT) return fw::PassOn();
    POINT pt{};
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    if (!HitTestAt(pt).HandCursor()) return fw::PassOn();
    ::SetCursor(HandCursor());
    return fw::Handled(TRUE);
}

void CListEx::FlipTick(int nRow) {
    const int nCheck = GetCheck(nRow);
    if (nCheck < 0) return;  // a row without a tick box
    Scope own(m_nOwnTickChange);
    SetCheck(nRow, nCheck == 0);
}

fw::Reply CListEx::OnClick(NMITEMACTIVATE*) {
    if (m_bCheckZoneHit && m_nCheckRow >= 0 && m_nCheckRow < GetItemCount()) FlipTick(m_nCheckRow);
    m_bCheckZoneHit = FALSE;
    m_nCheckRow = -1;
    // The owner's own handler of NM_CLICK still sees the click.
    return fw::PassOn();
}

fw::Reply CListEx::OnItemChanging(NMLISTVIEW* pNM) {
    const bool bTick = (pNM->uChanged & LVIF_STATE) &&
                       ((pNM->uNewState ^ pNM->uOldState) & LVIS_STATEIMAGEMASK) != 0;
    if (!bTick || m_nOwnTickChange > 0) return fw::PassOn();
    if (pNM->iItem < 0 || pNM->iItem >= m_arrRowKind.GetSize()) return fw::PassOn();
    // Header rows have no tick to change. During a click the list view's own flip of its
    // state image (Wine's comes right after NM_CLICK) would undo ours: only ours stands.
    if (m_arrRowKind[pNM->iItem] != ROW_ENTRY || m_nMouseDepth > 0) return fw::Handled(TRUE);
    return fw::PassOn();
}
