// CBundorDlg: which entry list is shown, the category list's clicks, ticks mirrored between the
// all-entries list, the category's own list and the catalogue, and the clicks on action links.
#include <windows.h>
#include <commctrl.h>

#include "ui/main/bundor_dlg.h"
#include "ui/main/row_mapping.h"

BOOL CBundorDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const auto* pNM = reinterpret_cast<const NMHDR*>(lParam);
    if (pNM && pNM->code == LVN_ITEMCHANGED && m_pEntryLists && m_nCurList < m_nEntryLists &&
        pNM->hwndFrom == m_pEntryLists[m_nCurList].GetSafeHwnd()) {
        MirrorTick(reinterpret_cast<const NMLISTVIEW*>(lParam));
    } else if (pNM && pNM->code == NM_CLICK && pNM->hwndFrom == m_listCategory.GetSafeHwnd()) {
        OnCategoryClick(reinterpret_cast<const NMITEMACTIVATE*>(lParam));
    } else if (pNM && pNM->code == NM_CLICK && m_pEntryLists && m_nCurList < m_nEntryLists &&
               pNM->hwndFrom == m_pEntryLists[m_nCurList].GetSafeHwnd() &&
               reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iSubItem == 2) {
        RunEntryAction(reinterpret_cast<const NMITEMACTIVATE*>(lParam));
    }
    // Then the lists' own handling and this window's table.
    return CDialog::OnNotify(wParam, lParam, pResult);
}

int CBundorDlg::AllIndexToCategory(int& nRow) const {
    return rowmap::AllIndexToCategory(m_arrEntryRows, nRow);
}

int CBundorDlg::CategoryIndexToAll(int nList, int nRow) const {
    return rowmap::CategoryIndexToAll(m_arrEntryRows, nList, nRow);
}

EntryInfo* CBundorDlg::Entry(int nList, int nRow) const {
    if (nList < 1 || nList > static_cast<int>(m_arrEntryRows.size()) || nRow < 0 ||
        nRow >= m_arrEntryRows[nList - 1])
        return nullptr;
    return &m_pConfig->pCategories[nList - 1].pEntries[nRow];
}

// Only the shown list's changes are mirrored: the change made in the other list comes back
// from a hidden list (or, during the initialisation, from a category's list) and stops here.
void CBundorDlg::MirrorTick(const NMLISTVIEW* pNM) {
    if (!(pNM->uChanged & LVIF_STATE) || !rowmap::IsTickChange(pNM->uNewState, pNM->uOldState))
        return;
    CListEx& all = m_pEntryLists[0];
    if (m_nCurList == 0) {
        int nRow = pNM->iItem;
        const int nList = AllIndexToCategory(nRow);
        EntryInfo* pEntry = Entry(nList, nRow);
        if (!pEntry) return;  // a header row has no entry
        CListEx& own = m_pEntryLists[nList];
        own.SetCheck(nRow, all.GetCheck(pNM->iItem) == 1);
        pEntry->nChecked = own.GetCheck(nRow) == 1 ? 1 : 0;
    } else {
        EntryInfo* pEntry = Entry(m_nCurList, pNM->iItem);
        if (!pEntry) return;
        const int nAll = CategoryIndexToAll(m_nCurList, pNM->iItem);
        all.SetCheck(nAll, m_pEntryLists[m_nCurList].GetCheck(pNM->iItem) == 1);
        pEntry->nChecked = all.GetCheck(nAll) == 1 ? 1 : 0;
    }
}

void CBundorDlg::SelectCategoryRow(int nRow) {
    m_listCategory.SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CBundorDlg::OnCategoryClick(const NMITEMACTIVATE* pNM) {
    // A click beside the rows leaves the shown category selected.
    if (pNM->iItem < 0)
        SelectCategoryRow(m_nCurList);
    else if (pNM->iItem < m_nEntryLists)
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
    if (!m_pEntryLists || nRow < 0 || nRow >= m_nEntryLists) return 0;
    if (nRow != m_nCurList) m_pEntryLists[m_nCurList].ShowWindow(SW_HIDE);
    m_nCurList = nRow;
    // Placed before it is shown: only the shown list follows the layout.
    Layout();
    m_pEntryLists[m_nCurList].ShowWindow(SW_SHOW);
    UpdateSelectAllBox();
    return 0;
}

// Ticked exactly when every entry row of the shown list is; a list without rows leaves the box
// as it was.
void CBundorDlg::UpdateSelectAllBox() {
    const CListEx& list = m_pEntryLists[m_nCurList];
    const int nRows = list.GetItemCount();
    if (nRows == 0 || !m_btnSelectAll.m_bCheckBox) return;
    int nTick = 1;
    for (int r = 0; r < nRows; ++r) {
        if (list.GetRowKind(r) == CListEx::ROW_ENTRY && list.GetCheck(r) != 1) {
            nTick = 0;
            break;
        }
    }
    m_btnSelectAll.SetCheck(nTick);
}
