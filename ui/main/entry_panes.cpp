#include "ui/main/entry_panes.h"

#include <utility>

#include "res/resource.h"
#include "ui/main/row_mapping.h"

void CEntryPanes::Allocate(CatalogueConfig& config) {
    Destroy();
    m_pCategories = config.pCategories;
    if (!m_pCategories) return;
    const int n = static_cast<int>(CategoriesOf(config).size());
    m_nCount = n + 1;
    m_pLists = std::make_unique<CListEx[]>(m_nCount);
    m_pImages = std::make_unique<CImageList[]>(m_nCount);
    m_arrRows.assign(n, 0);
    m_nShown = 0;
}

void CEntryPanes::Destroy() {
    m_pLists.reset();
    m_pImages.reset();
    m_arrRows.clear();
    m_nCount = 0;
}

bool CEntryPanes::Create(int i, int nImages, DWORD dwStyle, const RECT& rc, CWnd* pParent) {
    CImageList& images = m_pImages[i];
    if (!AllowCreation() || !images.Create(32, 32, ILC_COLOR32 | ILC_MASK, nImages, 0))
        return false;
    images.SetBkColor(RGB(255, 255, 255));
    if (AllowCreation() && m_pLists[i].Create(dwStyle, rc, pParent, IDC_ENTRY_LIST_FIRST + i))
        return true;
    images.DeleteImageList();
    return false;
}

void CEntryPanes::AddHeader(int k) {
    if (!IsCreated(0)) return;
    m_pLists[0].AddRow(rowmap::CategoryIndexToAll(m_arrRows, k + 1, -1),
                       m_pCategories[k].strName.c_str(), CListEx::NO_IMAGE, CListEx::ROW_HEADER,
                       L"");
}

void CEntryPanes::AddEntry(int k, int nImage, const wchar_t* pszSize, const CStringArray& actions) {
    const int j = m_arrRows[k];
    EntryInfo& entry = m_pCategories[k].pEntries[j];
    if (!IsCreated(k + 1)) {
        entry.nChecked = 0;
        return;
    }
    const int r = rowmap::CategoryIndexToAll(m_arrRows, k + 1, j);
    ++m_arrRows[k];
    const struct { int i, nRow, nImage; } kRows[] = {{k + 1, j, j}, {0, r, nImage}};
    for (const auto& row : kRows) {
        if (!IsCreated(row.i)) continue;
        CListEx& list = m_pLists[row.i];
        list.AddRow(row.nRow, entry.strName.c_str(), row.nImage, CListEx::ROW_ENTRY,
                    entry.strDescription.c_str());
        list.SetCellText(row.nRow, 1, pszSize);
        list.SetCellLinks(row.nRow, 2, actions);
    }
    SetTick(k + 1, j, entry.nChecked != 0);
}

void CEntryPanes::SetHeaderText(int k, const wchar_t* pszText) {
    if (IsCreated(0))
        m_pLists[0].SetCellText(rowmap::CategoryIndexToAll(m_arrRows, k + 1, -1), 0, pszText);
}

void CEntryPanes::Show(int i) {
    if (m_nShown != i && IsCreated(m_nShown)) m_pLists[m_nShown].ShowWindow(SW_HIDE);
    m_nShown = i;
    if (IsCreated(i)) m_pLists[i].ShowWindow(SW_SHOW);
}

EntryInfo* CEntryPanes::Entry(int i, int row) const {
    if (i == 0) i = rowmap::AllIndexToCategory(m_arrRows, row);
    if (i < 1 || i >= m_nCount || row < 0 || row >= m_arrRows[i - 1]) return nullptr;
    return &m_pCategories[i - 1].pEntries[row];
}

void CEntryPanes::SetTick(int i, int row, bool bTicked) {
    if (i == 0) i = rowmap::AllIndexToCategory(m_arrRows, row);
    EntryInfo* pEntry = Entry(i, row);
    if (!pEntry) return;
    const bool bWasWriting = std::exchange(m_bWriting, true);
    pEntry->nChecked = bTicked ? 1 : 0;
    m_pLists[i].SetCheck(row, bTicked);
    if (IsCreated(0)) m_pLists[0].SetCheck(rowmap::CategoryIndexToAll(m_arrRows, i, row), bTicked);
    m_bWriting = bWasWriting;
}

void CEntryPanes::SetAllTicks(int i, bool bTicked) {
    if (i < 0 || i >= m_nCount || !IsCreated(i)) return;
    for (int k = i == 0 ? 1 : i; k <= (i == 0 ? m_nCount - 1 : i); ++k)
        for (int row = 0; row < m_arrRows[k - 1]; ++row) SetTick(k, row, bTicked);
}

int CEntryPanes::AllTicked(int i) const {
    if (i < 0 || i >= m_nCount || !IsCreated(i) || m_pLists[i].GetItemCount() == 0) return -1;
    for (int k = i == 0 ? 1 : i; k <= (i == 0 ? m_nCount - 1 : i); ++k)
        for (int row = 0; row < m_arrRows[k - 1]; ++row)
            if (!m_pCategories[k - 1].pEntries[row].nChecked) return 0;
    return 1;
}

void CEntryPanes::OnItemChanged(const NMLISTVIEW* pNM) {
    if (m_bWriting || !(pNM->uChanged & LVIF_STATE) ||
        !rowmap::IsTickChange(pNM->uNewState, pNM->uOldState))
        return;
    const int i = static_cast<int>(pNM->hdr.idFrom) - IDC_ENTRY_LIST_FIRST;
    if (i < 0 || i >= m_nCount || m_pLists[i].GetSafeHwnd() != pNM->hdr.hwndFrom) return;
    SetTick(i, pNM->iItem, (pNM->uNewState & rowmap::kStateImageMask) == rowmap::kTicked);
}
