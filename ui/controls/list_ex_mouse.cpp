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

    // Only rows on the screen can be under the pointer (one more for a row cut at the bottom).
    const int nTop = std::max(0, static_cast<int>(SendMessage(LVM_GETTOPINDEX)));
    const int nPerPage = static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE));
    const int nLast = std::min(nRows - 1, nTop + std::max(nPerPage, 0) + 1);
    std::vector<listgeo::HitRow> rows;
    for (int r = nTop; r <= nLast; ++r) {
        listgeo::HitRow row;
        row.index = r;
        row.kind = m_rows[r].nKind;
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
    const std::vector<unsigned> kinds = ColumnKinds();
    listgeo::ListCells cells;
    cells.widths = widths;
    cells.kinds = kinds;
    cells.text = [this](int r, int c) { return GetItemText(r, c).Str(); };
    cells.linkSet = [this](int nSet) {
        std::vector<WString> links;
        for (const CString& link : m_arrLinkSets.at(nSet)) links.push_back(link.Str());
        return links;
    };
    return listgeo::HitTest(listgeo::Point{pt.x, pt.y}, rows, cells, MeasureIn(dc));
}

void CListEx::TakeHitTest(POINT pt) {
    const bool bTaken = m_bCursorHit && m_ptCursorHit.x == pt.x && m_ptCursorHit.y == pt.y;
    m_bCursorHit = false;
    if (!bTaken) m_hot = HitTestAt(pt);
    if (m_hot.HandCursor()) ::SetCursor(HandCursor());
}

void CListEx::OnMouseMove(UINT, POINT pt) {
    TakeHitTest(pt);
    Default();
}

void CListEx::OnLButtonDown(UINT, POINT pt) {
    // The press itself says what it landed on, whether or not a move came before it.
    TakeHitTest(pt);
    Scope mouse(m_nMouseDepth);
    Default();
}

void CListEx::OnLButtonUp(UINT, POINT) {
    m_bCursorHit = false;
    if (m_hot.hotKind) ::SetCursor(HandCursor());
    Scope mouse(m_nMouseDepth);
    Default();
}

void CListEx::OnLButtonDblClk(UINT, POINT) {
    // The second press of a double click flips nothing: the first one did.
    m_bCursorHit = false;
    m_hot.checkZone = false;
    Scope mouse(m_nMouseDepth);
    Default();
}

fw::Reply CListEx::OnSetCursor(HWND, UINT nHitTest, UINT) {
    // Asked before each move is handled: answered from where the pointer is now, so that the
    // arrow never shows for a moment over a link. That test is the move's own: the mouse
    // message that follows at the same point takes it.
    if (nHitTest != HTCLIENT) return fw::PassOn();
    POINT pt{};
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    m_hot = HitTestAt(pt);
    m_bCursorHit = true;
    m_ptCursorHit = pt;
    if (!m_hot.HandCursor()) return fw::PassOn();
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
    if (m_hot.checkZone && m_hot.row >= 0 && m_hot.row < GetItemCount()) FlipTick(m_hot.row);
    m_hot.checkZone = false;
    // The owner's own handler of NM_CLICK still sees the click.
    return fw::PassOn();
}

fw::Reply CListEx::OnItemChanging(NMLISTVIEW* pNM) {
    const bool bTick = (pNM->uChanged & LVIF_STATE) &&
                       ((pNM->uNewState ^ pNM->uOldState) & LVIS_STATEIMAGEMASK) != 0;
    if (!bTick || m_nOwnTickChange > 0) return fw::PassOn();
    if (pNM->iItem < 0 || pNM->iItem >= m_rows.GetSize()) return fw::PassOn();
    // Header rows have no tick to change. During a click the list view's own flip of its
    // state image (Wine's comes right after NM_CLICK) would undo ours: only ours stands.
    if (m_rows[pNM->iItem].nKind != ROW_ENTRY || m_nMouseDepth > 0) return fw::Handled(TRUE);
    return fw::PassOn();
}
