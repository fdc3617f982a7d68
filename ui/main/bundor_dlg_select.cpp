// CBundorDlg: which entry list is shown, the category list's clicks, and the notifications that
// go on to the entry panes (ticks) or to the action links.
#include <windows.h>
#include <commctrl.h>

#include "ui/main/bundor_dlg.h"
#include "ui/main/row_mapping.h"

BOOL CBundorDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const auto* pNM = reinterpret_cast<const NMHDR*>(lParam);
    if (pNM && pNM->code == LVN_ITEMCHANGED) {
        m_panes.OnItemChanged(reinterpret_cast<const NMLISTVIEW*>(lParam));
    } else if (pNM && pNM->code == NM_CLICK && pNM->hwndFrom == m_listCategory.GetSafeHwnd()) {
        OnCategoryClick(reinterpret_cast<const NMITEMACTIVATE*>(lParam));
    } else if (pNM && pNM->code == NM_CLICK && m_nCurList < m_panes.Count() &&
               pNM->hwndFrom == m_panes.List(m_nCurList).GetSafeHwnd() &&
               reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iSubItem == 2) {
        RunEntryAction(reinterpret_cast<const NMITEMACTIVATE*>(lParam));
    }
    // Then the lists' own handling and this window's table.
    return CDialog::OnNotify(wParam, lParam, pResult);
}

void CBundorDlg::SelectCategoryRow(int nRow) {
    m_listCategory.SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CBundorDlg::OnCategoryClick(const NMITEMACTIVATE* pNM) {
    // A click beside the rows leaves the shown category selected.
    if (pNM->iItem < 0)
        SelectCategoryRow(m_nCurList);
    else if (pNM->iItem < m_panes.Count())
        m_nCurList = pNM->iItem;
}

LRESULT CBundorDlg::OnCategoryReselect(NMHDR*) {
    SelectCategoryRow(m_nCurList);
    return 0;
}

LRESULT CBundorDlg::OnCategoryChanged(NMLISTVIEW* pNM) {
    if (!(pNM->uChanged & LVIF_STATE) || !rowmap::IsNewlySelected(pNM->uNewState, pNM->uOldState))
        return 0;
    const int nRow = pNM->iItem;
    if (nRow < 0 || nRow >= m_panes.Count()) return 0;
    m_nCurList = nRow;
    // Placed before it is shown: only the shown list follows the layout.
    Layout();
    m_panes.Show(m_nCurList);
    UpdateSelectAllBox();
    return 0;
}

// Ticked exactly when every entry of the shown list is; a list without rows leaves the box as
// it was.
void CBundorDlg::UpdateSelectAllBox() {
    const int nTick = m_panes.AllTicked(m_nCurList);
    if (nTick < 0 || !m_btnSelectAll.IsCheckBox()) return;
    m_btnSelectAll.SetCheck(nTick);
}
