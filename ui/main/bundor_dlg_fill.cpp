// CBundorDlg: the image lists and the lists, filled from the catalogue.
#include <windows.h>
#include <commctrl.h>

#include "ops/package_size.h"
#include "res/resource.h"
#include "ui/main/bundor_dlg.h"
#include "ui/main/list_art.h"

namespace {

constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_NOCOLUMNHEADER |
                             LVS_OWNERDRAWFIXED | LVS_SINGLESEL | LVS_REPORT;
constexpr UINT kImageListFlags = ILC_COLOR32 | ILC_MASK;
constexpr COLORREF kEntryText = RGB(255, 255, 255);
constexpr COLORREF kEntryDetail = RGB(204, 204, 204);
constexpr COLORREF kCategoryText = RGB(204, 204, 204);
constexpr COLORREF kCategorySelectedText = RGB(255, 255, 255);
constexpr int kEntryRowHeight = 65;
constexpr int kCategoryRowHeight = 23;

int CountCategories(const CategoryInfo* pCategories) {
    int n = 0;
    while (pCategories && !pCategories[n].strName.empty()) ++n;
    return n;
}

int CountEntries(const EntryInfo* pEntries) {
    int n = 0;
    while (pEntries && !pEntries[n].strName.empty()) ++n;
    return n;
}

HICON LoadModuleIcon(UINT nID, int nSize) {
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nID),
                                           IMAGE_ICON, nSize, nSize, 0));
}

// Adds an icon to each image list given (they keep copies) and destroys it; a file icon that
// cannot be loaded is replaced by the application icon, which is shared and stays.
void AddIcon(HICON hIcon, HICON hFallback, std::initializer_list<CImageList*> lists) {
    for (CImageList* pList : lists) pList->Add(hIcon ? hIcon : hFallback);
    if (hIcon) ::DestroyIcon(hIcon);
}

}  // namespace

// The image lists, made at the size they will have; the catalogue's icons go in once the lists
// are filled (AddFirstIcons) and afterwards (AddReadIcons).
void CBundorDlg::CreateImageLists() {
    const CategoryInfo* pCategories = m_pConfig->pCategories;
    const int n = CountCategories(pCategories);
    m_imgCategory.Create(16, 16, kImageListFlags, n + 1, 0);
    m_imgCheck.Create(16, 16, kImageListFlags, 2, 0);
    for (CImageList* pList : {&m_imgCategory, &m_imgCheck}) pList->SetBkColor(m_crPanelBk);
    if (pCategories) {
        AddIcon(LoadModuleIcon(IDI_ALL_SOFTWARE, 16), m_hIcon, {&m_imgCategory});
        // An image list that grows image by image copies everything it holds each time,
        // which makes thousands of entries cost seconds.
        int nAll = 0;
        for (int k = 0; k < n; ++k) nAll += CountEntries(pCategories[k].pEntries);
        m_pEntryImages = std::make_unique<CImageList[]>(n + 1);
        m_pEntryImages[0].Create(32, 32, kImageListFlags, nAll, 0);
        m_pEntryImages[0].SetBkColor(RGB(255, 255, 255));
        for (int k = 0; k < n; ++k) {
            CImageList& own = m_pEntryImages[k + 1];
            own.Create(32, 32, kImageListFlags, CountEntries(pCategories[k].pEntries), 0);
            own.SetBkColor(RGB(255, 255, 255));
        }
    }
    AddIcon(LoadModuleIcon(IDI_TICK_OFF, 16), m_hIcon, {&m_imgCheck});
    AddIcon(LoadModuleIcon(IDI_TICK_ON, 16), m_hIcon, {&m_imgCheck});
}

void CBundorDlg::CreateCategoryList(const RECT& rcClient) {
    CString strHeading;
    strHeading.LoadString(IDS_COL_CATEGORY);
    m_listCategory.Create(kListStyle, rcClient, this, IDC_CATEGORY_LIST);
    m_listCategory.SendMessage(WM_SETREDRAW, FALSE);
    m_listCategory.SetExtendedStyle(m_listCategory.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_listCategory.SetImageList(&m_imgCategory, LVSIL_SMALL);
    m_listCategory.SetFont(SharedListArt(nullptr).font, FALSE);
    m_listCategory.ShowScrollBars(FALSE);
    m_listCategory.SetIconSize(16, 16);
    m_listCategory.SetLook(CListEx::LOOK_PANEL);
    m_listCategory.AddColumn(0, strHeading, LVCFMT_CENTER, 140);
    // The row height lays the list out again: cheap while it has no rows. It comes after the
    // font and the images, from which the list view would work out a height of its own.
    m_listCategory.SetItemHeight(kCategoryRowHeight);
}

void CBundorDlg::SetUpEntryList(CListEx& list, int nIndex, const RECT& rcClient) {
    static const struct {
        UINT nHeading;  // 0: no heading
        int nFormat;
        int nWidth;
    } kColumns[] = {
        {IDS_COL_NAME, LVCFMT_LEFT, 200},
        {IDS_COL_SIZE, LVCFMT_CENTER, 100},
        {IDS_COL_ACTIONS, LVCFMT_CENTER, 180},
        {0, LVCFMT_CENTER, 30},
    };
    const DWORD dwStyle = nIndex == 0 ? kListStyle : kListStyle & ~WS_VISIBLE;
    list.Create(dwStyle, rcClient, this, IDC_ENTRY_LIST_FIRST + nIndex);
    // Filled with its redraw off (see FinishEntryList).
    list.SendMessage(WM_SETREDRAW, FALSE);
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
    // The state images are set after the check-box style, which makes its own.
    list.SetImageList(&m_pEntryImages[nIndex], LVSIL_SMALL);
    list.SetImageList(&m_imgCheck, LVSIL_STATE);
    list.SetFont(SharedListArt(nullptr).font, FALSE);
    list.SetLook(0);
    for (int c = 0; c < 4; ++c) {
        CString strHeading;
        if (kColumns[c].nHeading) strHeading.LoadString(kColumns[c].nHeading);
        list.AddColumn(c, strHeading, kColumns[c].nFormat, kColumns[c].nWidth);
    }
    // As for the category list: before the rows, after the font and the images.
    list.SetItemHeight(kEntryRowHeight);
}

void CBundorDlg::FinishEntryList(CListEx& list) {
    const ListArt& art = SharedListArt(nullptr);
    list.SetBackColor(m_crPanelBk);
    list.SetTextColors(kEntryText, kEntryText, kEntryText);
    list.SetDetailColors(kEntryDetail, kEntryDetail, kEntryDetail);
    list.SetLinkColors(m_crLinkNormal, m_crLinkSelected, m_crLinkSelected);
    list.SetEntryRowBitmaps(art.entryRows);
    list.SetHeaderRowBitmaps(art.headerRows);
    list.SetSkinFlags(CListEx::SKIN_ENTRYROWS | CListEx::SKIN_HEADERROWS |
                      CListEx::SKIN_THREESLICE);
    // With its redraw on, the list view lays itself out and invalidates after every row and
    // text it is given: a large catalogue would take seconds. It does so once now.
    list.SendMessage(WM_SETREDRAW, TRUE);
}

void CBundorDlg::FillLists(const RECT& rcClient) {
    CreateCategoryList(rcClient);
    const CategoryInfo* pCategories = m_pConfig->pCategories;
    if (pCategories) {
        const int n = CountCategories(pCategories);
        // Row 0 has no image index of its own: the list view draws image 0, all software.
        m_listCategory.AddRow(0, L"");
        for (int k = 0; k < n; ++k) m_listCategory.AddRow(k + 1, L"", k + 1);

        m_nEntryLists = n + 1;
        m_pEntryLists = std::make_unique<CListEx[]>(n + 1);
        m_arrEntryRows.assign(n, 0);
        CListEx& all = m_pEntryLists[0];
        SetUpEntryList(all, 0, rcClient);

        int r = 0;  // next row of list 0
        int i = 0;  // next image of list 0
        for (int k = 0; k < n; ++k) {
            const CategoryInfo& category = pCategories[k];
            CListEx& own = m_pEntryLists[k + 1];
            SetUpEntryList(own, k + 1, rcClient);
            const int h = all.AddRow(r++, category.strName.c_str(), CListEx::NO_IMAGE,
                                     CListEx::ROW_HEADER, L"");
            int c = 0;
            const EntryInfo* pEntries = category.pEntries;
            for (int j = 0; pEntries && !pEntries[j].strName.empty(); ++j) {
                const EntryInfo& entry = pEntries[j];
                all.AddRow(r, entry.strName.c_str(), i, CListEx::ROW_ENTRY,
                           entry.strDescription.c_str());
                own.AddRow(j, entry.strName.c_str(), j, CListEx::ROW_ENTRY,
                           entry.strDescription.c_str());
                m_arrEntryRows[k] = j + 1;

                const PackageSize package = MeasurePackage(entry.strManualInstall);
                const WString size = FormatPackageSize(package.bMeasured ? package.nBytes : 0);
                all.SetCellText(r, 1, size.c_str());
                own.SetCellText(j, 1, size.c_str());
                all.SetCellLinks(r, 2, m_arrActions);
                own.SetCellLinks(j, 2, m_arrActions);
                // Raises the tick notification that mirrors the tick into the category's own
                // list, which therefore exists with this row already.
                all.SetCheck(r, entry.nChecked != 0);
                ++r;
                ++i;
                ++c;
            }
            FinishEntryList(own);
            CString text;
            text.Format(L"%s (%d款)", category.strName.c_str(), c);
            all.SetCellText(h, 0, text);
            text.Format(L"%s (%d)", category.strName.c_str(), c);
            m_listCategory.SetCellText(k + 1, 0, text);
        }
        CString strAll, text;
        strAll.LoadString(IDS_ALL_SOFTWARE);
        text.Format(L"%s (%d)", strAll.GetString(), all.GetItemCount() - all.GetHeaderRowCount());
        m_listCategory.SetCellText(0, 0, text);
        FinishEntryList(all);
    }
    const ListArt& art = SharedListArt(nullptr);
    m_listCategory.SetBkBitmap(&m_bmpCategoryBk);
    m_listCategory.SetBackColor(m_crWindowBk);
    m_listCategory.SetTextColors(kCategoryText, kCategorySelectedText, kCategorySelectedText);
    m_listCategory.SetEntryRowBitmaps(art.categoryRows);
    m_listCategory.SetSkinFlags(CListEx::SKIN_ENTRYROWS | CListEx::SKIN_THREESLICE);
    m_listCategory.SendMessage(WM_SETREDRAW, TRUE);
}
