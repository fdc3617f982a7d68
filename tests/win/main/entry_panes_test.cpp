// Entry panes that cannot be created, as at the process's GDI or USER quota (about 1,200
// categories on Windows): the window opens, those categories show empty, and every other pane
// keeps its rows and writes its ticks into the catalogue.
#include "tests/win/main/main_test_support.h"
#include "ui/main/entry_commands.h"

namespace {

using maintest::Column;
using maintest::Images;
using maintest::TestDlg;
using maintest::Ticks;
using Strings = std::vector<std::wstring>;
using Ints = std::vector<int>;

constexpr const wchar_t* kThreeCategories =
    LR"([Type]
Sort1=A
Sort2=B
Sort3=C
[A.List]
List1=a1
List2=a2
[B.List]
List1=b1
[C.List]
List1=c1
[a1]
Checked=1
[b1]
Checked=1
[c1]
Checked=1
)";

// Creations are numbered image list 0, list 0, image list 1, list 1 ...; pane k + 1 is
// category k's.
constexpr int ImageListOf(int nPane) {
    return 2 * nPane;
}
constexpr int ListOf(int nPane) {
    return 2 * nPane + 1;
}

TEST(EntryPanes, AListOrImageListThatCannotBeCreatedLeavesItsCategoryEmpty) {
    CatalogueModel model = maintest::MakeCatalogue(kThreeCategories, L"C:\\");
    TestDlg dlg;
    dlg.m_pConfig = &model.config;
    dlg.m_panes.m_allowCreation = [](int n) { return n != ListOf(1) && n != ImageListOf(3); };
    EntryInfo* a = model.config.pCategories[0].pEntries;
    EntryInfo* b = model.config.pCategories[1].pEntries;
    const auto opened = [&] {
        const CListEx* lists = dlg.m_pEntryLists.get();
        ASSERT_EQ(dlg.GetEntryListCount(), 4);
        EXPECT_EQ(lists[1].GetSafeHwnd(), nullptr);
        EXPECT_EQ(lists[3].GetSafeHwnd(), nullptr);
        EXPECT_EQ(dlg.m_pEntryImages[1].GetSafeHandle(), nullptr);
        EXPECT_EQ(Column(dlg.m_listCategory, 0),
                  (Strings{L"全部软件 (1)", L"A (0)", L"B (1)", L"C (0)"}));
        EXPECT_EQ(Column(lists[0], 0), (Strings{L"A (0款)", L"B (1款)", L"b1", L"C (0款)"}));
        // b1 keeps its place among the catalogue's icons.
        EXPECT_EQ(Images(lists[0])[2], 2);
        EXPECT_EQ(Ticks(lists[2]), (Ints{1}));
        // What the window does not show is not installed.
        EXPECT_EQ(a[0].nChecked, 0);
        EXPECT_EQ(model.config.pCategories[2].pEntries[0].nChecked, 0);
        EXPECT_EQ(entrycmd::CollectTicked(model.config, entrycmd::Batch::Install).size(), 1u);

        // The rows that are there still keep the catalogue and both lists in step.
        dlg.m_pEntryLists[0].SetCheck(2, FALSE);
        EXPECT_EQ(b[0].nChecked, 0);
        EXPECT_EQ(Ticks(lists[2]), (Ints{0}));

        // Select-all ticks what is shown, and nothing of the empty categories.
        dlg.m_btnSelectAll.SetCheck(BST_CHECKED);
        dlg.SendMessage(WM_COMMAND, IDC_BTN_SELECT_ALL);
        EXPECT_EQ(b[0].nChecked, 1);
        EXPECT_EQ(Ticks(lists[2]), (Ints{1}));
        EXPECT_EQ(a[0].nChecked + a[1].nChecked, 0);
        // An empty category can be shown.
        dlg.m_listCategory.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED,
                                        LVIS_SELECTED | LVIS_FOCUSED);
        EXPECT_EQ(dlg.m_nCurList, 1);
        EXPECT_FALSE(dlg.m_pEntryLists[0].IsWindowVisible());
    };
    EXPECT_EQ(uitest::RunModal(dlg, {{100, opened}}), 0);
}

TEST(EntryPanes, NoPaneAtAllStillOpensTheWindow) {
    CatalogueModel model = maintest::MakeCatalogue(kThreeCategories, L"C:\\");
    TestDlg dlg;
    dlg.m_pConfig = &model.config;
    dlg.m_panes.m_allowCreation = [](int) { return false; };
    const auto opened = [&] {
        ASSERT_EQ(dlg.GetEntryListCount(), 4);
        EXPECT_EQ(dlg.m_pEntryLists[0].GetSafeHwnd(), nullptr);
        EXPECT_EQ(Column(dlg.m_listCategory, 0),
                  (Strings{L"全部软件 (0)", L"A (0)", L"B (0)", L"C (0)"}));
        dlg.m_listCategory.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED,
                                        LVIS_SELECTED | LVIS_FOCUSED);
        EXPECT_EQ(dlg.m_nCurList, 2);
        EXPECT_TRUE(entrycmd::CollectTicked(model.config, entrycmd::Batch::Install).empty());
    };
    EXPECT_EQ(uitest::RunModal(dlg, {{100, opened}}), 0);
}

}  // namespace
