// Long use keeps the GDI and USER object counts flat: image buttons, countdown labels and the
// about window created, used, painted and destroyed 100 times.
#include <windows.h>

#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/win/ui/ui_test_support.h"
#include "ui/controls/about_dlg.h"
#include "ui/controls/static_time.h"
#include "ui/controls/xp_style_button_st.h"

namespace {

using uitest::GdiObjectCount;
using uitest::UserObjectCount;

BOOL WINAPI NoShell(SHELLEXECUTEINFOW*) {
    return TRUE;
}

// Runs `cycle` a few times to let the system fill its caches, then 100 times more, and
// compares the counts before and after those 100.
template <class Cycle>
void ExpectFlatCounts(Cycle cycle) {
    for (int i = 0; i < 3; ++i) cycle(i);
    const long gdi = GdiObjectCount(), user = UserObjectCount();
    ASSERT_GT(gdi, 0);
    for (int i = 0; i < 100; ++i) cycle(i);
    fwtest::Pump();
    EXPECT_EQ(GdiObjectCount(), gdi);
    EXPECT_EQ(UserObjectCount(), user);
}

TEST(ControlLeaks, CountersSeeABitmapAndAWindow) {
    // A window first: the thread's first window brings windows of the system's own.
    CWnd keeper;
    keeper.CreateEx(0, L"STATIC", L"", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0);
    const long gdi = GdiObjectCount(), user = UserObjectCount();
    {
        CXPStyleButtonST b;
        CWnd parent;
        parent.CreateEx(0, L"STATIC", L"", WS_POPUP, RECT{0, 0, 50, 50}, nullptr, 0);
        b.Create(L"", WS_CHILD, RECT{0, 0, 10, 10}, &parent, 1);
        b.SetImages(IDB_CLOSE_IN, 0);
        EXPECT_EQ(GdiObjectCount(), gdi + 1);
        EXPECT_EQ(UserObjectCount(), user + 2);
    }
    EXPECT_EQ(GdiObjectCount(), gdi);
    EXPECT_EQ(UserObjectCount(), user);
}

TEST(ControlLeaks, ButtonsAndLabelsLeaveTheCountsFlat) {
    const auto previous = CButtonST::SetShellExecuteProc(&NoShell);
    ExpectFlatCounts([](int i) {
        CWnd parent;
        parent.CreateEx(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE | SS_WHITERECT,
                        RECT{600, 360, 1000, 560}, nullptr, 0);
        CXPStyleButtonST install, selectAll, forum;
        CStaticTime seconds, countdown;
        install.Create(L"(&I)", WS_CHILD | WS_VISIBLE | WS_TABSTOP, RECT{10, 10, 98, 38}, &parent,
                       1003);
        install.SetImages(IDB_INSTALL_AUTO_IN, IDB_INSTALL_AUTO_OUT);
        install.SetTipText(L"自动安装所选软件");
        // Switching the mode swaps the images.
        install.SetImages(IDB_INSTALL_MANUAL_IN, IDB_INSTALL_MANUAL_OUT);
        install.SetTipText(L"手动安装所选软件");
        selectAll.Create(L"(&A)", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                         RECT{10, 50, 150, 78}, &parent, 1001);
        selectAll.SetImages(IDB_SELECT_ALL_IN, IDB_SELECT_ALL_OUT);
        forum.Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, RECT{200, 10, 295, 41}, &parent,
                     1005);
        forum.SetImages(IDB_FORUM_IN, IDB_FORUM_OUT);
        forum.SetLink(L"https://bundor.example/");
        uitest::CreateCountdownLabels(seconds, countdown, parent, RECT{10, 100, 30, 128},
                                      RECT{34, 100, 174, 128});
        ::UpdateWindow(parent);
        selectAll.SendMessage(BM_CLICK);
        forum.SendMessage(BM_CLICK);
        seconds.SetText(i % 2 ? L"9" : L"10");
        // Hovered and left again, through the messages the pointer would bring.
        install.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(40, 14));
        install.SendMessage(WM_MOUSELEAVE);
        ::RedrawWindow(parent, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        MSG msg{};
        msg.hwnd = install;
        msg.message = WM_MOUSEMOVE;
        msg.lParam = MAKELPARAM(5, 5);
        install.PreTranslateMessage(&msg);  // creates and feeds the tooltip
        fwtest::Pump();
    });
    CButtonST::SetShellExecuteProc(previous);
}

TEST(ControlLeaks, AboutWindowLeavesTheCountsFlat) {
    const auto previous = CButtonST::SetShellExecuteProc(&NoShell);
    CWnd owner;
    owner.CreateEx(0, L"STATIC", L"软件安装管理器", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                   RECT{150, 120, 950, 620}, nullptr, 0);
    COLORREF crBack = RGB(51, 51, 51);
    CBitmap head, strip;
    head.LoadBitmap(IDB_HEAD_LEFT);
    strip.LoadBitmap(IDB_HEAD_MID);
    uitest::MouseTo(POINT{2, 2});
    ExpectFlatCounts([&](int i) {
        CAboutDlg dlg(&owner);
        dlg.m_pcrBack = &crBack;
        dlg.m_pbmpHead = &head;
        dlg.m_pbmpStrip = &strip;
        uitest::Script script(
            {{0,
              [&] {
                  ::UpdateWindow(dlg);
                  const POINT pt{75, 20};
                  dlg.m_btnLink.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
                  ::UpdateWindow(dlg.m_btnLink);
                  if (i % 2) dlg.m_btnLink.SendMessage(BM_CLICK);
                  ::PostMessageW(::GetFocus(), WM_KEYDOWN, i % 3 ? VK_RETURN : VK_ESCAPE, 0);
              },
              [&] { return ::IsWindowVisible(dlg) != FALSE; }}},
            [&] { dlg.EndDialog(-2); });
        const INT_PTR r = dlg.DoModal();
        EXPECT_TRUE(r == IDOK || r == IDCANCEL) << r;
    });
    CButtonST::SetShellExecuteProc(previous);
}

}  // namespace
