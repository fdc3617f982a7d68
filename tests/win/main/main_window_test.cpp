// The main window under Wine, each test one real window on one catalogue: its rows, counts,
// ticks, images, sizes and lists; its layout in the worked example's client area, maximised and
// restored; its skin; the category list's clicks; ticks mirrored between the lists and into the
// catalogue; Enter, Escape and Alt+F4; the about window; flat object counts.
#include "tests/win/main/main_test_support.h"

#include <cstdlib>

#include "res/resource.h"
#include "ui/main/main_layout.h"

namespace {

using maintest::Column;
using maintest::ImagePixels;
using maintest::Images;
using maintest::TestDlg;
using maintest::Ticks;
using uitest::Pixels;
using Strings = std::vector<std::wstring>;
using Ints = std::vector<int>;

constexpr COLORREF kWindowBk = RGB(51, 51, 51);

std::wstring DemoIcon(const wchar_t* pszName) {
    return lxtest::CheckoutPath((std::wstring(L"demo/icons/") + pszName).c_str());
}

// An icon as an image list of nSize x nSize images shows it.
Pixels IconPixels(HICON hIcon, int nSize = 32) {
    CImageList list = maintest::WhiteImageList(nSize);
    list.Add(hIcon);
    return ImagePixels(list, 0, nSize);
}

// The rows' centre on the screen.
POINT RowPoint(const CListEx& list, int nRow, int x = -1) {
    const RECT rc = lxtest::ItemRect(list, nRow, LVIR_BOUNDS);
    return uitest::ScreenPoint(list, x < 0 ? (rc.left + rc.right) / 2 : x,
                               (rc.top + rc.bottom) / 2);
}

// A point of an entry row's check zone (left of its icon), in the list's client coordinates.
POINT CheckZone(const CListEx& list, int nRow) {
    const RECT icon = lxtest::ItemRect(list, nRow, LVIR_ICON);
    const RECT row = lxtest::ItemRect(list, nRow, LVIR_BOUNDS);
    return POINT{icon.left / 2, (row.top + row.bottom) / 2};
}

bool Visible(const CWnd& wnd) {
    return (wnd.GetStyle() & WS_VISIBLE) != 0;
}

// The window as its first step sees it: its entry lists, outer size and title.
void ExpectOpened(const TestDlg& dlg, int nLists, SIZE size, const wchar_t* pszTitle) {
    ASSERT_EQ(dlg.GetEntryListCount(), nLists);
    RECT rc{};
    dlg.GetWindowRect(&rc);
    EXPECT_EQ(rc.right - rc.left, size.cx);
    EXPECT_EQ(rc.bottom - rc.top, size.cy);
    CString title;
    dlg.GetWindowText(title);
    EXPECT_EQ(title.Str(), pszTitle);
}

// A few places that show the window laid out for its client area (the layout's arithmetic is
// tested on its own): a bottom-right button, the top-right one, the select-all box and the
// labels that the countdown moves it for, both panes. Left edges, the previous button and the
// labels' x stay; the rest follows the right and bottom edges. The buttons keep their own sizes.
void ExpectLaidOut(const TestDlg& dlg, bool bCountdown) {
    using namespace mainlayout;
    const HWND h = dlg.GetSafeHwnd();
    const SIZE c = maintest::ClientSize(h);
    const int yb = c.cy - kBottomMargin;
    const int installRight = c.cx - kRightMargin - 19;  // the options button is 19 wide
    EXPECT_AT(h, dlg.m_btnInstall, installRight - 88, yb - 28, installRight, yb);
    EXPECT_AT(h, dlg.m_btnHelp, c.cx - kHelpRightMargin - 95, kTopButtonsTop,
              c.cx - kHelpRightMargin, kTopButtonsTop + 31);
    const int selectAllLeft =
        kEntryLeft + (bCountdown ? kSelectAllOffsetCountdown : kSelectAllOffset);
    EXPECT_AT(h, dlg.m_btnSelectAll, selectAllLeft, yb - 28, selectAllLeft + 140, yb);
    // The seconds label is 20 wide, the countdown label 140.
    const int countdownLeft = kSecondsLeft + 20 + kCountdownGap;
    if (bCountdown)
        EXPECT_AT(h, dlg.m_lblCountdown, countdownLeft, yb - kCountdownHeight, countdownLeft + 140,
                  yb);
    const int paneBottom = yb - 28 - kPaneGap;
    EXPECT_AT(h, dlg.m_pEntryLists[dlg.m_nCurList], kEntryLeft, kPaneTop, c.cx - kRightMargin,
              paneBottom);
    EXPECT_AT(h, dlg.m_listCategory, kCategoryLeft, kPaneTop + kCategoryButtonHeight,
              kCategoryRight, paneBottom - kCategoryButtonHeight - 2);
}

// In the worked example's 800 x 480 client area those places are the figures worked out.
void ExpectWorkedExample(const TestDlg& dlg, bool bCountdown) {
    ASSERT_EQ(maintest::ClientSize(dlg).cx, 800);
    ASSERT_EQ(maintest::ClientSize(dlg).cy, 480);
    ExpectLaidOut(dlg, bCountdown);
}

void ExpectMaximised(const TestDlg& dlg, bool bCountdown) {
    ASSERT_GT(maintest::ClientSize(dlg).cx, 800);
    ASSERT_GT(maintest::ClientSize(dlg).cy, 480);
    ExpectLaidOut(dlg, bCountdown);
}

// The design's example: categories A (a1, a2) and B (b1); a1 is 1 MiB, a2 1.5 MiB, b1's
// installer is missing; a2 and b1 start ticked; a2's icon file is missing; interactive mode; a
// window asked for at 640 x 480.
constexpr const wchar_t* kDesignExample =
    LR"([Config]
TitleText=测试目录
MainWidth=640
MainHeight=480
Default=0
[Type]
Sort1=A
Sort2=B
[A]
IconPath={demo}common.ico
[A.List]
List1=a1
List2=a2
[B]
IconPath={f}none.ico
[B.List]
List1=b1
[a1]
IconPath={demo}zip.ico
ManualInstall={f}a1.exe
Description=第一个条目
[a2]
WorkingDir={f}
IconPath=none.ico
ManualInstall=a2 setup.exe /S
Checked=1
[b1]
IconPath={demo}cleaner.ico
ManualInstall={f}b1.exe
Checked=1
)";

// A window on the design's example, not yet open.
class DesignExample : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.WriteFile(L"a1.exe", 1048576));
        ASSERT_TRUE(m_folder.WriteFile(L"a2 setup.exe", 1572864));
        m_model = maintest::MakeCatalogue(
            maintest::Fill(kDesignExample, {{L"{f}", m_folder.Path()}, {L"{demo}", DemoIcon(L"")}}),
            m_folder.Path());
        m_dlg.m_pConfig = &m_model.config;
    }
    EntryInfo* A() { return m_model.config.pCategories[0].pEntries; }
    EntryInfo* B() { return m_model.config.pCategories[1].pEntries; }
    const CListEx* Lists() const { return m_dlg.m_pEntryLists.get(); }

    const maintest::TempFolder m_folder{L"bundor_main_example"};
    CatalogueModel m_model;
    TestDlg m_dlg;
};

TEST_F(DesignExample, OpensWithItsRowsCountsImagesAndTicks) {
    TestDlg& dlg = m_dlg;
    const auto opened = [&] {
        const CListEx* lists = Lists();
        ASSERT_NO_FATAL_FAILURE(ExpectOpened(dlg, 3, {800, 500}, L"测试目录"));
        wchar_t about[64] = {};
        ::GetMenuStringW(dlg.GetSystemMenu(FALSE), IDM_ABOUTBOX, about, 64, MF_BYCOMMAND);
        EXPECT_STREQ(about, L"关于(&A)...");
        EXPECT_EQ(dlg.SendMessage(WM_GETICON, ICON_BIG), reinterpret_cast<LRESULT>(dlg.m_hIcon));
        EXPECT_EQ(dlg.SendMessage(WM_QUERYDRAGICON), reinterpret_cast<LRESULT>(dlg.m_hIcon));

        // The category list: all software first, then each category with its count.
        EXPECT_EQ(Column(dlg.m_listCategory, 0), (Strings{L"全部软件 (3)", L"A (2)", L"B (1)"}));
        EXPECT_EQ(Images(dlg.m_listCategory), (Ints{0, 1, 2}));
        EXPECT_EQ(dlg.m_listCategory.GetItemState(0, LVIS_SELECTED | LVIS_FOCUSED),
                  static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
        EXPECT_EQ(dlg.m_listCategory.GetDlgCtrlID(), 1000);
        EXPECT_EQ(dlg.m_imgCategory.GetImageCount(), 3);
        EXPECT_EQ(dlg.m_imgCheck.GetImageCount(), 2);
        // B's icon file is missing: the application icon stands in.
        EXPECT_EQ(ImagePixels(dlg.m_imgCategory, 2, 16), IconPixels(dlg.m_hIcon, 16));
        EXPECT_FALSE(ImagePixels(dlg.m_imgCategory, 1, 16) == IconPixels(dlg.m_hIcon, 16));

        // The all-entries list: a header row per category, then its entries.
        const CListEx& all = lists[0];
        EXPECT_EQ(Column(all, 0), (Strings{L"A (2款)", L"a1", L"a2", L"B (1款)", L"b1"}));
        EXPECT_EQ(Column(all, 1), (Strings{L"", L"1.00 MB", L"1.50 MB", L"", L"0.00 MB"}));
        EXPECT_EQ(all.GetRowKind(0), CListEx::ROW_HEADER);
        EXPECT_EQ(all.GetRowKind(3), CListEx::ROW_HEADER);
        EXPECT_EQ(all.GetRowKind(4), CListEx::ROW_ENTRY);
        EXPECT_EQ(all.GetRowDetail(1).Str(), L"第一个条目");
        EXPECT_EQ(all.GetRowDetail(2).Str(), L"");
        EXPECT_EQ(Images(all)[1], 0);
        EXPECT_EQ(Images(all)[2], 1);
        EXPECT_EQ(Images(all)[4], 2);
        EXPECT_EQ(Ticks(all)[1], 0);
        EXPECT_EQ(Ticks(all)[2], 1);
        EXPECT_EQ(Ticks(all)[4], 1);
        ASSERT_EQ(all.GetLinkSetCount(), 1);
        EXPECT_EQ(all.GetColumnKind(2), 3u);
        EXPECT_EQ(all.GetLinkSet(0)[0].Str(), L"手动安装");
        EXPECT_EQ(all.GetLinkSet(0)[1].Str(), L"自动安装");
        EXPECT_EQ(all.GetLinkSet(0)[2].Str(), L"保存安装包");
        EXPECT_EQ(dlg.m_pEntryImages[0].GetImageCount(), 3);
        // a2's icon file is missing: the application icon; a1 has its own.
        const Pixels appIcon = IconPixels(dlg.m_hIcon);
        EXPECT_EQ(ImagePixels(dlg.m_pEntryImages[0], 1), appIcon);
        EXPECT_FALSE(ImagePixels(dlg.m_pEntryImages[0], 0) == appIcon);
        EXPECT_EQ(ImagePixels(dlg.m_pEntryImages[2], 0), ImagePixels(dlg.m_pEntryImages[0], 2));

        // Each category's own list, ticked as the catalogue says.
        EXPECT_EQ(Column(lists[1], 0), (Strings{L"a1", L"a2"}));
        EXPECT_EQ(Column(lists[1], 1), (Strings{L"1.00 MB", L"1.50 MB"}));
        EXPECT_EQ(Images(lists[1]), (Ints{0, 1}));
        EXPECT_EQ(Ticks(lists[1]), (Ints{0, 1}));
        EXPECT_EQ(Column(lists[2], 0), (Strings{L"b1"}));
        EXPECT_EQ(Ticks(lists[2]), (Ints{1}));
        EXPECT_EQ(lists[2].GetLinkSetCount(), 1);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(lists[i].GetDlgCtrlID(), 1007 + i);
        EXPECT_TRUE(Visible(lists[0]));
        EXPECT_FALSE(Visible(lists[1]));
        EXPECT_FALSE(Visible(lists[2]));
        EXPECT_EQ(dlg.m_nCurList, 0);

        // Interactive mode; no countdown; a1 unticked leaves the select-all box empty.
        EXPECT_TRUE(
            maintest::ShowsImages(dlg.m_btnInstall, IDB_INSTALL_MANUAL_IN, IDB_INSTALL_MANUAL_OUT));
        EXPECT_EQ(maintest::TipText(dlg.m_btnInstall), L"手动安装所选软件");
        EXPECT_EQ(maintest::TipText(dlg.m_btnSelectAll), L"选择所有应用程序");
        EXPECT_STREQ(dlg.m_btnForum.GetLink(), L"https://bundor.example/");
        EXPECT_EQ(dlg.m_btnSelectAll.IsChecked(), 0);
        EXPECT_TRUE(dlg.m_btnSelectAll.IsCheckBox());
        EXPECT_EQ(dlg.m_lblSeconds.GetSafeHwnd(), nullptr);
        EXPECT_FALSE(dlg.KillTimer(1));

        MINMAXINFO mmi{};
        dlg.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        EXPECT_EQ(mmi.ptMinTrackSize.x, mainlayout::kMinWidth);
        EXPECT_EQ(mmi.ptMinTrackSize.y, mainlayout::kMinHeight);
    };
    EXPECT_EQ(uitest::RunModal(dlg, {{100, opened}}), 0);
}

TEST_F(DesignExample, IsLaidOutAndSkinnedForItsClientAreaMaximisedAndRestored) {
    TestDlg& dlg = m_dlg;
    const auto workedExample = [&] {
        ExpectWorkedExample(dlg, false);
        // Five rows fit: the name column takes the rest of the pane.
        EXPECT_EQ(Lists()[0].GetColumnWidth(0), 314);
        EXPECT_EQ(dlg.m_listCategory.GetColumnWidth(0), mainlayout::kCategoryWidth);
        // The skin as it reaches the screen: the top band's ends, the frame's top edge above
        // the entry pane, the strips beside the category list, the background.
        const Pixels shot = lxtest::Shot(dlg);
        const HBITMAP hLeft = uitest::LoadResBitmap(IDB_HEAD_LEFT);
        const HBITMAP hRight = uitest::LoadResBitmap(IDB_HEAD_RIGHT);
        const HBITMAP hFrame = uitest::LoadResBitmap(IDB_FRAME_TOP);
        const HBITMAP hStrip = uitest::LoadResBitmap(IDB_CATEGORY_LEFT);
        const Pixels left = Pixels::FromBitmap(hLeft), right = Pixels::FromBitmap(hRight);
        const Pixels frame = Pixels::FromBitmap(hFrame), strip = Pixels::FromBitmap(hStrip);
        EXPECT_TRUE(shot.Contains(left, 0, 0));
        EXPECT_TRUE(
            shot.Contains(right.Crop(RECT{0, 0, right.Width(), 34}), 800 - right.Width(), 0));
        EXPECT_EQ(shot.At(400, mainlayout::kPaneTop - 2), frame.At(0, 0));
        EXPECT_EQ(shot.At(400, mainlayout::kPaneTop - 1), frame.At(0, 1));
        EXPECT_EQ(shot.At(10, 200), strip.At(0, 0));
        EXPECT_EQ(shot.At(156, 200), kWindowBk);
        EXPECT_EQ(shot.At(4, 300), kWindowBk);
        for (HBITMAP h : {hLeft, hRight, hFrame, hStrip}) ::DeleteObject(h);
        dlg.ShowWindow(SW_MAXIMIZE);
    };
    const auto maximised = [&] {
        ExpectMaximised(dlg, false);
        dlg.ShowWindow(SW_RESTORE);
    };
    const auto restored = [&] { ExpectWorkedExample(dlg, false); };
    EXPECT_EQ(uitest::RunModal(dlg, {{100, [&] { maintest::SetClientSize(dlg, 800, 480); }},
                                     {100, workedExample},
                                     {150, maximised},
                                     {150, restored}}),
              0);
}

TEST_F(DesignExample, ATickReachesTheOtherListAndTheCatalogueOnce) {
    TestDlg& dlg = m_dlg;
    EntryInfo* a = A();
    const auto tickInAll = [&] {
        const CListEx* lists = Lists();
        maintest::SetClientSize(dlg, 800, 480);
        // A tick on the selected, focused row of the all-entries list reaches a1's own list
        // and the catalogue; the list view reports it with the selection bits.
        lists[0].SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        dlg.m_ticks.clear();
        lxtest::ClickAt(lists[0], CheckZone(lists[0], 1));
        ASSERT_FALSE(dlg.m_ticks.empty());
        EXPECT_EQ(dlg.m_ticks[0].nID, 1007u);
        EXPECT_EQ(dlg.m_ticks[0].nNew, 0x2003u);
        EXPECT_EQ(dlg.m_ticks[0].nOld, 0x1003u);
        EXPECT_EQ(Ticks(lists[0])[1], 1);
        EXPECT_EQ(Ticks(lists[1]), (Ints{1, 1}));
        EXPECT_EQ(a[0].nChecked, 1);
        uitest::MouseTo(RowPoint(dlg.m_listCategory, 1));
    };
    const auto untickInA = [&] {
        const CListEx* lists = Lists();
        // A click on A's row shows A's own list in the pane; every entry of A is ticked.
        EXPECT_EQ(dlg.m_nCurList, 1);
        EXPECT_FALSE(Visible(lists[0]));
        EXPECT_TRUE(Visible(lists[1]));
        EXPECT_FALSE(Visible(lists[2]));
        EXPECT_AT(dlg, lists[1], 161, 77, 786, 440);
        EXPECT_EQ(lists[1].GetColumnWidth(0), 314);
        EXPECT_EQ(dlg.m_btnSelectAll.IsChecked(), 1);
        // Unticking the selected row of A's list: the all-entries list and the catalogue
        // follow, and the change that comes back from there is not mirrored again.
        lists[1].SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        dlg.m_ticks.clear();
        lists[1].SetCheck(1, FALSE);
        ASSERT_EQ(dlg.m_ticks.size(), 2u);
        EXPECT_EQ(dlg.m_ticks[0].nID, 1008u);
        EXPECT_EQ(dlg.m_ticks[0].nNew & 0xF00Fu, 0x1003u);
        EXPECT_EQ(dlg.m_ticks[1].nID, 1007u);
        EXPECT_EQ(Ticks(lists[0])[2], 0);
        EXPECT_EQ(Ticks(lists[1]), (Ints{1, 0}));
        EXPECT_EQ(a[1].nChecked, 0);
        EXPECT_EQ(B()[0].nChecked, 1);
    };
    uitest::MouseTo(POINT{2, 2});
    EXPECT_EQ(uitest::RunModal(dlg, {{100, tickInAll},
                                     {200, [] { uitest::MouseButton(true); }},
                                     {100, [] { uitest::MouseButton(false); }},
                                     {200, untickInA}}),
              0);
}

// Clicks beside the category rows and right clicks keep the shown category; Enter and Escape
// leave the window open; Alt+F4 closes it.
TEST_F(DesignExample, ClicksBesideTheRowsAndKeysKeepTheCategoryAndTheWindow) {
    TestDlg& dlg = m_dlg;
    const auto belowTheRows = [&] {
        RECT rc{};
        dlg.m_listCategory.GetClientRect(&rc);
        uitest::MouseTo(uitest::ScreenPoint(dlg.m_listCategory, rc.right / 2, rc.bottom - 10));
    };
    const auto keepsA = [&] {
        EXPECT_EQ(dlg.m_listCategory.GetNextItem(-1, LVNI_SELECTED), 1);
        EXPECT_EQ(dlg.m_nCurList, 1);
        EXPECT_TRUE(Visible(Lists()[1]));
    };
    std::vector<uitest::Script::Step> steps = {
        {100, [&] { uitest::MouseTo(RowPoint(dlg.m_listCategory, 1)); }},
        {200, [] { uitest::MouseButton(true); }},
        {100, [] { uitest::MouseButton(false); }},
        {200, belowTheRows},
        {200, [] { uitest::MouseButton(true); }},
        {100, [] { uitest::MouseButton(false); }},
        {200,
         [&] {
             keepsA();
             uitest::MouseInput(MOUSEEVENTF_RIGHTDOWN);
         }},
        {100, [] { uitest::MouseInput(MOUSEEVENTF_RIGHTUP); }},
        {200,
         [&] {
             keepsA();
             ::SetForegroundWindow(dlg);
             dlg.m_listCategory.SetFocus();
             uitest::Keys({VK_RETURN});
         }},
        {200, [] { uitest::Keys({VK_ESCAPE}); }},
        {300,
         [&] {
             EXPECT_TRUE(dlg.IsWindowVisible());
             uitest::Keys({VK_MENU, VK_F4});
         }},
    };
    uitest::MouseTo(POINT{2, 2});
    uitest::Script script(std::move(steps), [&dlg] { dlg.EndDialog(-2); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(script.Done());
}

// A countdown of 10 seconds, unattended mode, an empty category between two others, an
// installer beyond 4 GiB, a window asked for at 1024 x 700; the about window from the system
// menu.
TEST(MainWindow, CountdownEmptyCategoryAndAHugeInstaller) {
    const maintest::TempFolder folder(L"bundor_main_countdown");
    const ULONGLONG huge = 5ull * 1024 * 1048576 + 524288;  // 5 GiB and half a MiB
    ASSERT_TRUE(folder.WriteFile(L"huge.exe", huge));
    const std::wstring& f = folder.Path();
    CatalogueModel model = maintest::MakeCatalogue(maintest::Fill(LR"([Config]
MainWidth=1024
MainHeight=700
Default=1
Waitime=10
[Type]
Sort1=A
Sort2=空分类
Sort3=B
[A.List]
List1=a1
[空分类]
[空分类.List]
[B.List]
List1=big
[a1]
Checked=1
[big]
ManualInstall={f}huge.exe
)",
                                                                  {{L"{f}", f}}),
                                                   f);
    TestDlg dlg;
    dlg.m_pConfig = &model.config;
    const CListEx* lists = nullptr;
    HWND hAbout = nullptr;
    const auto findAbout = [&] {
        hAbout = nullptr;
        for (HWND h = ::GetWindow(::GetDesktopWindow(), GW_CHILD); h;
             h = ::GetWindow(h, GW_HWNDNEXT)) {
            if (::GetWindow(h, GW_OWNER) == dlg.GetSafeHwnd() && ::IsWindowVisible(h)) hAbout = h;
        }
        return hAbout != nullptr;
    };

    std::vector<uitest::Script::Step> steps = {
        {100,
         [&] {
             lists = dlg.m_pEntryLists.get();
             ASSERT_NO_FATAL_FAILURE(ExpectOpened(dlg, 4, {1024, 700}, L"软件安装管理器"));
             EXPECT_EQ(Column(dlg.m_listCategory, 0),
                       (Strings{L"全部软件 (2)", L"A (1)", L"空分类 (0)", L"B (1)"}));
             EXPECT_EQ(Column(lists[0], 0),
                       (Strings{L"A (1款)", L"a1", L"空分类 (0款)", L"B (1款)", L"big"}));
             EXPECT_EQ(Column(lists[0], 1), (Strings{L"", L"0.00 MB", L"", L"", L"5120.50 MB"}));
             EXPECT_EQ(lists[0].GetHeaderRowCount(), 3);
             EXPECT_EQ(Images(lists[0])[4], 1);
             EXPECT_EQ(lists[2].GetItemCount(), 0);
             EXPECT_EQ(lists[2].GetDlgCtrlID(), 1009);
             EXPECT_EQ(Column(lists[3], 1), (Strings{L"5120.50 MB"}));
             EXPECT_EQ(Images(lists[3]), (Ints{0}));
             // The countdown labels, and timer 1 running.
             EXPECT_EQ(dlg.m_nCountdown, 10);
             CString seconds, countdown;
             dlg.m_lblSeconds.GetWindowText(seconds);
             dlg.m_lblCountdown.GetWindowText(countdown);
             EXPECT_EQ(seconds.Str(), L"10");
             EXPECT_EQ(countdown.Str(), L"秒钟后开始自动安装!");
             EXPECT_EQ(dlg.m_lblSeconds.GetLogFont().lfHeight, 14);
             EXPECT_EQ(dlg.m_lblSeconds.GetLogFont().lfWeight, FW_BOLD);
             EXPECT_EQ(dlg.m_lblSeconds.GetTextColor(), RGB(255, 0, 0));
             EXPECT_EQ(dlg.m_lblCountdown.GetLogFont().lfHeight, 12);
             EXPECT_EQ(dlg.m_lblCountdown.GetTextColor(), RGB(255, 204, 0));
             EXPECT_TRUE(maintest::ShowsImages(dlg.m_btnInstall, IDB_INSTALL_AUTO_IN,
                                               IDB_INSTALL_AUTO_OUT));
             EXPECT_EQ(maintest::TipText(dlg.m_btnInstall), L"自动安装所选软件");
             EXPECT_EQ(dlg.m_btnSelectAll.IsChecked(), 0);  // big is not ticked
             maintest::SetClientSize(dlg, 800, 480);
         }},
        {100,
         [&] {
             ExpectWorkedExample(dlg, true);
             dlg.ShowWindow(SW_MAXIMIZE);
         }},
        {150,
         [&] {
             ExpectMaximised(dlg, true);
             dlg.ShowWindow(SW_RESTORE);
         }},
        {150,
         [&] {
             // Restored, every control has its place and size again, the labels included.
             ExpectWorkedExample(dlg, true);
             dlg.m_listCategory.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED,
                                             LVIS_SELECTED | LVIS_FOCUSED);
             EXPECT_EQ(dlg.m_nCurList, 1);
             EXPECT_EQ(dlg.m_btnSelectAll.IsChecked(), 1);  // a1 is ticked
             // The empty category shows its empty list and leaves the box as it was.
             dlg.m_listCategory.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED,
                                             LVIS_SELECTED | LVIS_FOCUSED);
             EXPECT_EQ(dlg.m_nCurList, 2);
             EXPECT_TRUE(Visible(lists[2]));
             EXPECT_FALSE(Visible(lists[1]));
             EXPECT_AT(dlg, lists[2], 161, 77, 786, 440);
             EXPECT_EQ(dlg.m_btnSelectAll.IsChecked(), 1);
             dlg.PostMessage(WM_SYSCOMMAND, IDM_ABOUTBOX);
         },
         nullptr},
        {100,
         [&] {
             CString text;
             ASSERT_NE(hAbout, nullptr);
             wchar_t cls[16] = {};
             ::GetClassNameW(hAbout, cls, 16);
             EXPECT_STREQ(cls, L"#32770");
             ::PostMessageW(hAbout, WM_COMMAND, IDOK, 0);
         },
         findAbout},
        {200,
         [&] {
             // The about window, even from the system menu, was a person's command: the
             // countdown stopped when it opened.
             EXPECT_FALSE(::IsWindow(hAbout));
             EXPECT_FALSE(dlg.KillTimer(1));
             EXPECT_EQ(dlg.m_pConfig->bCountdown, 0);
             EXPECT_FALSE(Visible(dlg.m_lblSeconds));
         }},
    };
    EXPECT_EQ(uitest::RunModal(dlg, std::move(steps)), 0);
}

// No category at all: the all-software row with the count 0 and an empty all-entries list.
TEST(MainWindow, EmptyCatalogue) {
    CatalogueModel model = maintest::MakeCatalogue(L"", L"C:\\");
    TestDlg dlg;
    dlg.m_pConfig = &model.config;
    const auto opened = [&] {
        ASSERT_NO_FATAL_FAILURE(ExpectOpened(dlg, 1, {800, 500}, L"软件安装管理器"));
        EXPECT_EQ(Column(dlg.m_listCategory, 0), (Strings{L"全部软件 (0)"}));
        EXPECT_EQ(dlg.m_pEntryLists[0].GetItemCount(), 0);
        EXPECT_TRUE(Visible(dlg.m_pEntryLists[0]));
        EXPECT_EQ(dlg.m_lblSeconds.GetSafeHwnd(), nullptr);
    };
    EXPECT_EQ(uitest::RunModal(dlg, {{100, opened}}), 0);
}

// 200 categories of 3 entries, icons from five files in turn (one missing): the rows on screen
// have their icons when the window appears; the others come in afterwards, in order, and rows
// scrolled into view before their icons were in are painted again when they come.
TEST(MainWindow, LaterIconsComeInOrderAndShow) {
    const maintest::TempFolder folder(L"bundor_main_late_icons");
    const std::wstring icons[] = {DemoIcon(L"zip.ico"), DemoIcon(L"ime.ico"),
                                  DemoIcon(L"notepad.ico"), folder.Path() + L"none.ico",
                                  DemoIcon(L"viewer.ico")};
    constexpr int kCategories = 200, kPerCategory = 3, kEntries = kCategories * kPerCategory;
    std::wstring text = L"[Type]\n";
    for (int k = 0; k < kCategories; ++k)
        text += L"Sort" + std::to_wstring(k + 1) + L"=分类" + std::to_wstring(k) + L"\n";
    for (int k = 0; k < kCategories; ++k) {
        text += L"[分类" + std::to_wstring(k) + L"]\nIconPath=" + icons[k % 5] + L"\n[分类" +
                std::to_wstring(k) + L".List]\n";
        for (int j = 0; j < kPerCategory; ++j)
            text += L"List" + std::to_wstring(j + 1) + L"=软件" + std::to_wstring(k) + L"-" +
                    std::to_wstring(j) + L"\n";
        for (int j = 0; j < kPerCategory; ++j)
            text += L"[软件" + std::to_wstring(k) + L"-" + std::to_wstring(j) + L"]\nIconPath=" +
                    icons[(k * kPerCategory + j) % 5] + L"\n";
    }
    CatalogueModel model = maintest::MakeCatalogue(text, folder.Path());
    TestDlg dlg;
    dlg.m_pConfig = &model.config;
    // Every visible row's image is in its image list.
    const auto shownImagesIn = [](const CListEx& list, const CImageList& images) {
        const Ints rowImages = Images(list);
        const int top = static_cast<int>(list.SendMessage(LVM_GETTOPINDEX));
        const int end = top + static_cast<int>(list.SendMessage(LVM_GETCOUNTPERPAGE));
        for (int r = top; r < end && r < list.GetItemCount(); ++r)
            if (rowImages[r] >= images.GetImageCount()) return false;
        return true;
    };
    CListEx* all = nullptr;
    Pixels early, earlyCategories;
    const auto opened = [&] {
        all = &dlg.m_pEntryLists[0];
        ASSERT_TRUE(dlg.IconsPending());
        EXPECT_TRUE(shownImagesIn(dlg.m_listCategory, dlg.m_imgCategory));
        EXPECT_TRUE(shownImagesIn(*all, dlg.m_pEntryImages[0]));
        all->EnsureVisible(all->GetItemCount() - 1, FALSE);
        dlg.m_listCategory.EnsureVisible(kCategories, FALSE);
        all->UpdateWindow();
        dlg.m_listCategory.UpdateWindow();
        // Painted before their icons are in, or this test shows nothing.
        ASSERT_FALSE(shownImagesIn(*all, dlg.m_pEntryImages[0]));
        ASSERT_FALSE(shownImagesIn(dlg.m_listCategory, dlg.m_imgCategory));
        early = Pixels::FromWindow(*all);
        earlyCategories = Pixels::FromWindow(dlg.m_listCategory);
    };
    const auto complete = [&] {
        ASSERT_TRUE(maintest::WaitForIcons(dlg));
        const Pixels late = Pixels::FromWindow(*all);
        const Pixels lateCategories = Pixels::FromWindow(dlg.m_listCategory);
        EXPECT_FALSE(late == early);
        EXPECT_FALSE(lateCategories == earlyCategories);
        for (const CListEx* list : {all, &dlg.m_listCategory})
            ::RedrawWindow(*list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_TRUE(Pixels::FromWindow(*all) == late);
        EXPECT_TRUE(Pixels::FromWindow(dlg.m_listCategory) == lateCategories);

        // Image i is icon file i % 5 in every list; the five differ.
        ASSERT_EQ(dlg.m_imgCategory.GetImageCount(), kCategories + 1);
        ASSERT_EQ(dlg.m_pEntryImages[0].GetImageCount(), kEntries);
        std::vector<Pixels> entry, category;
        for (int i = 0; i < 5; ++i) {
            entry.push_back(ImagePixels(dlg.m_pEntryImages[0], i));
            category.push_back(ImagePixels(dlg.m_imgCategory, i + 1, 16));
            for (int h = 0; h < i; ++h) {
                EXPECT_FALSE(entry[h] == entry[i]) << h << " " << i;
                EXPECT_FALSE(category[h] == category[i]) << h << " " << i;
            }
        }
        for (int k = 0; k < kCategories; ++k) {
            EXPECT_TRUE(ImagePixels(dlg.m_imgCategory, k + 1, 16) == category[k % 5]) << k;
            const CImageList& own = dlg.m_pEntryImages[k + 1];
            ASSERT_EQ(own.GetImageCount(), kPerCategory) << k;
            for (int j = 0; j < kPerCategory; ++j) {
                const int i = k * kPerCategory + j;
                EXPECT_TRUE(ImagePixels(dlg.m_pEntryImages[0], i) == entry[i % 5]) << i;
                EXPECT_TRUE(ImagePixels(own, j) == entry[i % 5]) << i;
            }
        }
    };
    EXPECT_EQ(uitest::RunModal(dlg, {{0, opened}, {10, complete}}), 0);
}

// 10 categories of 10 and of 100 entries, every entry with an icon file and an installer: the
// objects do not grow with the entries (the icons loaded from files are destroyed), and the
// long list's name column leaves room for the scroll bar.
TEST(MainWindow, ObjectCountsDoNotGrowWithTheEntries) {
    const maintest::TempFolder folder(L"bundor_main_counts");
    ASSERT_TRUE(folder.WriteFile(L"setup.exe", 1000));
    const wchar_t* icons[] = {L"zip.ico", L"ime.ico", L"notepad.ico", L"viewer.ico"};
    const auto catalogue = [&](int nPerCategory) {
        std::wstring text = L"[Type]\n";
        for (int k = 1; k <= 10; ++k)
            text += L"Sort" + std::to_wstring(k) + L"=分类" + std::to_wstring(k) + L"\n";
        for (int k = 1; k <= 10; ++k) {
            text += L"[分类" + std::to_wstring(k) + L"]\nIconPath=" + DemoIcon(L"common.ico") +
                    L"\n[分类" + std::to_wstring(k) + L".List]\n";
            for (int j = 1; j <= nPerCategory; ++j)
                text += L"List" + std::to_wstring(j) + L"=软件" + std::to_wstring(k) + L"-" +
                        std::to_wstring(j) + L"\n";
        }
        for (int k = 1; k <= 10; ++k) {
            for (int j = 1; j <= nPerCategory; ++j)
                text += L"[软件" + std::to_wstring(k) + L"-" + std::to_wstring(j) +
                        L"]\nIconPath=" + DemoIcon(icons[j % 4]) + L"\nManualInstall=" +
                        folder.Path() + L"setup.exe\nChecked=" + std::to_wstring(j % 2) +
                        L"\nDescription=说明\n";
        }
        return maintest::MakeCatalogue(text, folder.Path());
    };
    const auto counts = [&](int nPerCategory) {
        CatalogueModel model = catalogue(nPerCategory);
        TestDlg dlg;
        dlg.m_pConfig = &model.config;
        long gdi = 0, user = 0;
        EXPECT_EQ(uitest::RunModal(dlg, {{100,
                                          [&] {
                                              ASSERT_TRUE(maintest::WaitForIcons(dlg));
                                              gdi = uitest::GdiObjectCount();
                                              user = uitest::UserObjectCount();
                                              EXPECT_EQ(dlg.m_pEntryImages[0].GetImageCount(),
                                                        10 * nPerCategory);
                                              maintest::SetClientSize(dlg, 800, 480);
                                              // More rows than fit: the scroll bar's width
                                              // comes off the name column.
                                              EXPECT_EQ(dlg.m_pEntryLists[0].GetColumnWidth(0),
                                                        314 - ::GetSystemMetrics(SM_CXVSCROLL));
                                          }}}),
                  0);
        return std::make_pair(gdi, user);
    };
    counts(10);  // the process's shared font and list bitmaps come with the first window
    const auto small = counts(10);
    const auto large = counts(100);
    ASSERT_GT(small.first, 0);
    EXPECT_LE(std::labs(large.first - small.first), 4) << small.first << " " << large.first;
    EXPECT_LE(std::labs(large.second - small.second), 2) << small.second << " " << large.second;
}

}  // namespace
