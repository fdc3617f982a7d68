// CBundorDlg: the image lists and the lists, filled from the catalogue.
#include <windows.h>
#include <commctrl.h>

#include "ops/package_size.h"
#include "res/resource.h"
#include "ui/main/bundor_dlg.h"
#include "ui/main/list_art.h"
#include "ui/main/main_texts.h"

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

// The image lists of the category list and the tick boxes; the entry panes make their own, and
// the catalogue's icons go in once the lists are filled (AddFirstIcons) and afterwards
// (AddReadIcons).
void CBundorDlg::CreateImageLists() {
    const int n = static_cast<int>(CategoriesOf(*m_pConfig).size());
    m_imgCategory.Create(16, 16, kImageListFlags, n + 1, 0);
    m_imgCheck.Create(16, 16, kImageListFlags, 2, 0);
    for (CImageList* pList : {&m_imgCategory, &m_imgCheck}) pList->SetBkColor(m_crPanelBk);
    if (m_pConfig->pCategories)
        AddIcon(LoadModuleIcon(IDI_ALL_SOFTWARE, 16), m_hIcon, {&m_imgCategory});
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

// Creates entry list nIndex with its image list, made at the size it will have: an image list
// that grows image by image copies everything it holds each time, which makes thousands of
// entries cost seconds. A list that cannot be created stays empty.
void CBundorDlg::SetUpEntryList(int nIndex, int nImages, const RECT& rcClient) {
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
    if (!m_panes.Create(nIndex, nImages, dwStyle, rcClient, this)) return;
    CListEx& list = m_panes.List(nIndex);
    // Filled with its redraw off (see FinishEntryList).
    list.SendMessage(WM_SETREDRAW, FALSE);
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
    // The state images are set after the check-box style, which makes its own.
    list.SetImageList(&m_panes.Images(nIndex), LVSIL_SMALL);
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
    if (m_pConfig->pCategories) {
        const std::span<CategoryInfo> categories = CategoriesOf(*m_pConfig);
        const int n = static_cast<int>(categories.size());
        // Row 0 has no image index of its own: the list view draws image 0, all software.
        m_listCategory.AddRow(0, L"");
        for (int k = 0; k < n; ++k) m_listCategory.AddRow(k + 1, L"", k + 1);

        m_panes.Allocate(*m_pConfig);
        int nAll = 0;
        for (const CategoryInfo& category : categories)
            nAll += static_cast<int>(EntriesOf(category).size());
        SetUpEntryList(0, nAll, rcClient);

        int i = 0;       // next image of list 0: every entry has one, shown or not
        int nShown = 0;  // entry rows of list 0
        for (int k = 0; k < n; ++k) {
            const CategoryInfo& category = categories[k];
            const std::span<EntryInfo> entries = EntriesOf(category);
            SetUpEntryList(k + 1, static_cast<int>(entries.size()), rcClient);
            m_panes.AddHeader(k);
            for (const EntryInfo& entry : entries) {
                const PackageSize package = MeasurePackage(entry.strManualInstall);
                const WString size = FormatPackageSize(package.bMeasured ? package.nBytes : 0);
                m_panes.AddEntry(k, i++, size.c_str(), m_arrActions);
            }
            if (m_panes.IsCreated(k + 1)) FinishEntryList(m_panes.List(k + 1));
            const int c = m_panes.Rows(k);
            nShown += c;
            m_panes.SetHeaderText(k, maintext::AllListHeader(category.strName.c_str(), c));
            m_listCategory.SetCellText(k + 1, 0,
                                       maintext::CategoryRow(category.strName.c_str(), c));
        }
        CString strAll;
        strAll.LoadString(IDS_ALL_SOFTWARE);
        m_listCategory.SetCellText(0, 0, maintext::CategoryRow(strAll, nShown));
        if (m_panes.IsCreated(0)) FinishEntryList(m_panes.List(0));
    }
    const ListArt& art = SharedListArt(nullptr);
    m_listCategory.SetBkBitmap(&m_bmpCategoryBk);
    m_listCategory.SetBackColor(m_crWindowBk);
    m_listCategory.SetTextColors(kCategoryText, kCategorySelectedText, kCategorySelectedText);
    m_listCategory.SetEntryRowBitmaps(art.categoryRows);
    m_listCategory.SetSkinFlags(CListEx::SKIN_ENTRYROWS | CListEx::SKIN_THREESLICE);
    m_listCategory.SendMessage(WM_SETREDRAW, TRUE);
}
