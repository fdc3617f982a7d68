// The main window's commands under Wine, in the real window: the countdown running out, stopped
// by a click or a key that still acts, and left running by right clicks and the wheel; select
// all, previous and next, the select-all box across category switches; the two menus and the
// install mode.
#include <windows.h>

#include "res/resource.h"
#include "tests/win/main/commands_support.h"

namespace {

using cmdtest::Visible;
using maintest::Ticks;
using Ints = std::vector<int>;

// What the label shows: its own text once it has one, else its window text.
std::wstring LabelText(const CStaticTime& label) {
    return label.GetText().IsEmpty() ? cmdtest::TextOf(label) : label.GetText().Str();
}

// Nothing ticked, a countdown of 2 seconds: the labels count 2, 1; a right click, the wheel, an
// Alt key and a press on the frame leave it running; at zero the no-selection message comes (the
// Expired state); the next left click, on the select-all box, stops it and still ticks every row.
TEST(MainCommands, CountdownRunsOutAndAClickStopsItAndStillActs) {
    CatalogueModel model =
        maintest::MakeCatalogue(L"[Config]\nWaitime=2\nDefault=1\n" +
                                    maintest::Categories({{L"A", {L"a1", L"a2"}}, {L"B", {L"b1"}}}),
                                L"C:\\");
    maintest::TestDlg dlg(model.config);
    CatalogueConfig& c = model.config;
    HWND hBox = nullptr;
    const auto box = cmdtest::BoxShown(dlg, hBox);
    const ULONGLONG t0 = ::GetTickCount64();
    ULONGLONG tOne = 0, tBox = 0;
    RECT rcSelectAll{};

    std::vector<uitest::Script::Step> steps = {
        {50,
         [&] {
             EXPECT_EQ(LabelText(dlg.m_lblSeconds), L"2");
             rcSelectAll = maintest::ClientRectOf(dlg, dlg.m_btnSelectAll);
             uitest::MouseTo(uitest::ScreenPoint(dlg.m_pEntryLists[0], 100, 100));
         }},
        {100, [] { uitest::MouseInput(MOUSEEVENTF_RIGHTDOWN); }},
        {100, [] { uitest::MouseInput(MOUSEEVENTF_RIGHTUP); }},
        {100,
         [&] {
             uitest::MouseInput(MOUSEEVENTF_WHEEL, static_cast<DWORD>(-WHEEL_DELTA));
             // An Alt key going down and a press on the frame reach the window as well.
             dlg.m_listCategory.PostMessage(WM_SYSKEYDOWN, VK_MENU, 1 << 29);
             dlg.PostMessage(WM_NCLBUTTONDOWN, HTBORDER, 0);
         }},
        {100,
         [&] {
             EXPECT_EQ(c.bCountdown, 1);
             EXPECT_TRUE(Visible(dlg.m_lblSeconds));
             EXPECT_TRUE(Visible(dlg.m_lblCountdown));
         }},
        {0, [&] { tOne = ::GetTickCount64() - t0; },
         [&] { return LabelText(dlg.m_lblSeconds) == L"1"; }},
        {0,
         [&] {
             tBox = ::GetTickCount64() - t0;
             const cmdtest::Box b = cmdtest::ReadBox(hBox);
             EXPECT_EQ(b.caption, L"软件安装");
             EXPECT_EQ(b.text,
                       L"您没有选中任何一款软件! 请选择您需要安装的软件之后再进行批量的处理.");
             EXPECT_EQ(b.icon, IDI_INFORMATION);
             EXPECT_TRUE(b.bOk);
             // Expired: the count is over, the labels still read 1.
             EXPECT_EQ(c.bCountdown, 1);
             EXPECT_FALSE(dlg.KillTimer(1));
             EXPECT_EQ(LabelText(dlg.m_lblSeconds), L"1");
             EXPECT_TRUE(Visible(dlg.m_lblSeconds));
             cmdtest::Press(hBox, IDOK);
         },
         box},
        {200,
         [&] {
             EXPECT_FALSE(::IsWindow(hBox));
             uitest::MouseTo(uitest::ScreenPoint(dlg.m_btnSelectAll));
         }},
        {150, [] { uitest::MouseButton(true); }},
        {100, [] { uitest::MouseButton(false); }},
        {200,
         [&] {
             EXPECT_EQ(c.bCountdown, 0);
             EXPECT_FALSE(Visible(dlg.m_lblSeconds));
             EXPECT_FALSE(Visible(dlg.m_lblCountdown));
             // Laid out again without room for the labels, after the click reached the box.
             const RECT rc = maintest::ClientRectOf(dlg, dlg.m_btnSelectAll);
             EXPECT_EQ(rc.left, rcSelectAll.left - 150);
             EXPECT_EQ(dlg.m_btnSelectAll.IsChecked(), 1);
             EXPECT_EQ(Ticks(dlg.m_pEntryLists[0]), (Ints{0, 1, 1, 0, 1}));
             EXPECT_EQ(c.pCategories[1].pEntries[0].nChecked, 1);
         }},
    };
    EXPECT_EQ(uitest::RunModal(dlg, std::move(steps)), 0);
    // 2 and 1 each stand for a second.
    EXPECT_GE(tOne, 900u);
    EXPECT_LT(tOne, 1600u);
    EXPECT_GE(tBox, 1900u);
    EXPECT_LT(tBox, 2800u);
}

// A key press stops the countdown and still moves the category selection; then the commands:
// select all on a category and on the all-entries list, previous and next at both ends, the
// select-all box across switches, the menus and the install mode.
TEST(MainCommands, SelectAllCategoriesMenusAndTheMode) {
    CatalogueModel model = maintest::MakeCatalogue(
        L"[Config]\nWaitime=9\nDefault=1\n" +
            maintest::Categories(
                {{L"A", {L"a1", L"a2", L"a3"}}, {L"B", {L"b1", L"b2"}}, {L"C", {L"c1"}}}) +
            LR"([b1]
Checked=1
[c1]
AutoInstall=c1 auto.exe /S
ManualInstall=c1 manual.exe
)",
        L"C:\\dvd\\");
    maintest::TestDlg dlg(model.config);
    CatalogueConfig& c = model.config;
    const CListEx* lists = nullptr;
    HWND hMenu = nullptr;
    const auto menu = [&] { return (hMenu = cmdtest::FindOwned(nullptr, L"#32768")) != nullptr; };
    HWND hAbout = nullptr;
    const auto about = [&] { return (hAbout = cmdtest::FindOwned(dlg)) != nullptr; };
    const auto command = [&](UINT nID) { dlg.SendMessage(WM_COMMAND, nID); };
    const auto checked = [&](UINT nID) {
        const auto h = reinterpret_cast<HMENU>(::SendMessageW(hMenu, MN_GETHMENU, 0, 0));
        return (::GetMenuState(h, nID, MF_BYCOMMAND) & MF_CHECKED) != 0;
    };

    // The menu opens under the button's bottom left corner.
    const auto under = [&](const CWnd& button) {
        RECT rcMenu{}, rcButton{};
        ::GetWindowRect(hMenu, &rcMenu);
        button.GetWindowRect(&rcButton);
        EXPECT_EQ(rcMenu.left, rcButton.left);
        EXPECT_EQ(rcMenu.top, rcButton.bottom);
    };
    // The options menu, under its button with the current mode checked, switches the mode by
    // its key; the install button then shows the new mode, and the next menu is asked for.
    const auto pickMode = [&](bool bAutoNow, WORD key) {
        return [&, bAutoNow, key] {
            under(dlg.m_btnOptions);
            EXPECT_EQ(checked(ID_OPTION_AUTO), bAutoNow);
            EXPECT_EQ(checked(ID_OPTION_MANUAL), !bAutoNow);
            uitest::Keys({key});
        };
    };
    const auto modeShown = [&](int nDefault, UINT nIn, UINT nOut, const wchar_t* pszTip,
                               UINT nNextMenu) {
        return [&, nDefault, nIn, nOut, pszTip, nNextMenu] {
            EXPECT_EQ(c.nDefault, nDefault);
            EXPECT_TRUE(maintest::ShowsImages(dlg.m_btnInstall, nIn, nOut));
            EXPECT_EQ(maintest::TipText(dlg.m_btnInstall), pszTip);
            dlg.PostMessage(WM_COMMAND, nNextMenu);
        };
    };

    std::vector<uitest::Script::Step> steps = {
        {100,
         [&] {
             lists = dlg.m_pEntryLists.get();
             ::SetForegroundWindow(dlg);
             dlg.m_listCategory.SetFocus();
             uitest::Keys({VK_DOWN});
         }},
        {200,
         [&] {
             EXPECT_EQ(c.bCountdown, 0);
             EXPECT_FALSE(Visible(dlg.m_lblSeconds));
             EXPECT_EQ(maintest::ClientRectOf(dlg, dlg.m_btnSelectAll).left, 161 + 16);
             EXPECT_EQ(dlg.m_nCurList, 1);  // the key moved on to A
             EXPECT_EQ(dlg.m_btnSelectAll.IsChecked(), 0);

             // Select all on A: its rows, their rows in the all-entries list, the model.
             dlg.m_btnSelectAll.SendMessage(BM_CLICK);
             EXPECT_EQ(Ticks(lists[1]), (Ints{1, 1, 1}));
             EXPECT_EQ(Ticks(lists[0]), (Ints{0, 1, 1, 1, 0, 1, 0, 0, 0}));
             for (int j = 0; j < 3; ++j) EXPECT_EQ(c.pCategories[0].pEntries[j].nChecked, 1);

             // Previous to the all-entries list (b2 and c1 are not ticked), then at its start.
             command(IDC_BTN_PREV);
             EXPECT_EQ(dlg.m_nCurList, 0);
             EXPECT_EQ(dlg.m_btnSelectAll.IsChecked(), 0);
             command(IDC_BTN_PREV);
             EXPECT_EQ(dlg.m_nCurList, 0);
             EXPECT_EQ(dlg.m_listCategory.GetNextItem(-1, LVNI_SELECTED), 0);
             // Select all there ticks every entry row and leaves the header rows unticked;
             // again, it unticks them.
             dlg.m_btnSelectAll.SendMessage(BM_CLICK);
             EXPECT_EQ(Ticks(lists[0]), (Ints{0, 1, 1, 1, 0, 1, 1, 0, 1}));
             EXPECT_EQ(Ticks(lists[2]), (Ints{1, 1}));
             EXPECT_EQ(c.pCategories[2].pEntries[0].nChecked, 1);
             dlg.m_btnSelectAll.SendMessage(BM_CLICK);
             EXPECT_EQ(Ticks(lists[0]), (Ints{0, 0, 0, 0, 0, 0, 0, 0, 0}));
             EXPECT_EQ(Ticks(lists[3]), (Ints{0}));
             EXPECT_EQ(c.pCategories[1].pEntries[0].nChecked, 0);

             // Next to the end and no further.
             for (int i = 0; i < 4; ++i) command(IDC_BTN_NEXT);
             EXPECT_EQ(dlg.m_nCurList, 3);
             EXPECT_EQ(dlg.m_listCategory.GetNextItem(-1, LVNI_SELECTED), 3);
             // A single tick leaves the box until the next switch.
             lists[3].SetCheck(0, TRUE);
             EXPECT_EQ(c.pCategories[2].pEntries[0].nChecked, 1);
             EXPECT_EQ(dlg.m_btnSelectAll.IsChecked(), 0);
             command(IDC_BTN_PREV);
             EXPECT_EQ(dlg.m_btnSelectAll.IsChecked(), 0);
             command(IDC_BTN_NEXT);
             EXPECT_EQ(dlg.m_btnSelectAll.IsChecked(), 1);

             dlg.PostMessage(WM_COMMAND, IDC_BTN_OPTIONS);
         }},
        {0, pickMode(true, 'M'), menu},
        {300, modeShown(0, IDB_INSTALL_MANUAL_IN, IDB_INSTALL_MANUAL_OUT, L"手动安装所选软件",
                        IDC_BTN_OPTIONS)},
        {0, pickMode(false, 'A'), menu},
        {300, modeShown(1, IDB_INSTALL_AUTO_IN, IDB_INSTALL_AUTO_OUT, L"自动安装所选软件",
                        IDC_BTN_HELP)},
        {0,
         [&] {
             under(dlg.m_btnHelp);
             uitest::Keys({'A'});
         },
         menu},
        {0,
         [&] {
             EXPECT_TRUE(::GetDlgItem(hAbout, IDC_ABOUT_LINK));
             ::PostMessageW(hAbout, WM_COMMAND, IDOK, 0);
         },
         about},
        {200, [&] { EXPECT_FALSE(::IsWindow(hAbout)); }},
    };
    EXPECT_EQ(uitest::RunModal(dlg, std::move(steps)), 0);
}

}  // namespace
