// The about window: size and place, skin, link and close button, and how each way of closing
// it ends the dialog.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/win/ui/ui_test_support.h"
#include "ui/controls/about_dlg.h"
#include "ui/controls/forum_address.h"

namespace {

using uitest::MouseButton;
using uitest::MouseTo;
using uitest::Pixels;
using uitest::ScreenPoint;

constexpr COLORREF kSkinBack = RGB(51, 51, 51);
constexpr COLORREF kWhite = RGB(255, 255, 255), kLightGrey = RGB(204, 204, 204);

// The main window's part: an owner window and the skin it lends.
struct Owner {
    Owner() {
        wnd.CreateEx(0, L"STATIC", L"软件安装管理器", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                     RECT{150, 120, 950, 620}, nullptr, 0);
        head.LoadBitmap(IDB_HEAD_LEFT);
        strip.LoadBitmap(IDB_HEAD_MID);
    }
    void Lend(CAboutDlg& dlg) {
        dlg.m_pcrBack = &crBack;
        dlg.m_pbmpHead = &head;
        dlg.m_pbmpStrip = &strip;
    }
    CWnd wnd;
    COLORREF crBack = kSkinBack;
    CBitmap head, strip;
};

struct ShellCall {
    std::wstring verb, file;
    int nShow;
};
std::vector<ShellCall> g_opened;
BOOL WINAPI RecordShellExecute(SHELLEXECUTEINFOW* p) {
    g_opened.push_back({p->lpVerb ? p->lpVerb : L"", p->lpFile ? p->lpFile : L"", p->nShow});
    return TRUE;
}

// The client area of a window once it has painted.
Pixels Painted(CWnd& wnd) {
    ::UpdateWindow(wnd);
    return Pixels::FromWindow(wnd);
}

// The dialog's client area as it shows a moment after it opens.
Pixels ShownClient(CAboutDlg& dlg) {
    Pixels client;
    EXPECT_EQ(uitest::RunModal(dlg, {{300, [&] { client = Painted(dlg); }}}), 0);
    return client;
}

// Bands of rows that hold anything but the background.
int TextLines(const Pixels& p, COLORREF back) {
    int bands = 0;
    bool inBand = false;
    for (int y = 0; y < p.Height(); ++y) {
        bool ink = false;
        for (int x = 0; x < p.Width() && !ink; ++x) ink = p.At(x, y) != back;
        if (ink && !inBand) ++bands;
        inBand = ink;
    }
    return bands;
}

TEST(AboutDlg, OpensCentredOverItsOwnerAt340By200) {
    Owner owner;
    CAboutDlg dlg(&owner.wnd);
    owner.Lend(dlg);
    RECT rcDlg{}, rcOwner{}, rcLink{}, rcClose{};
    std::wstring title;
    const INT_PTR r = uitest::RunModal(dlg, {{300, [&] {
                                                  dlg.GetWindowRect(&rcDlg);
                                                  owner.wnd.GetWindowRect(&rcOwner);
                                                  CString s;
                                                  dlg.GetWindowText(s);
                                                  title = s.Str();
                                                  dlg.m_btnLink.GetWindowRect(&rcLink);
                                                  dlg.ScreenToClient(&rcLink);
                                                  dlg.m_btnClose.GetWindowRect(&rcClose);
                                                  dlg.ScreenToClient(&rcClose);
                                              }}});
    ASSERT_EQ(r, 0);
    EXPECT_EQ(rcDlg.right - rcDlg.left, 340);
    EXPECT_EQ(rcDlg.bottom - rcDlg.top, 200);
    EXPECT_NEAR((rcDlg.left + rcDlg.right) / 2.0, (rcOwner.left + rcOwner.right) / 2.0, 1.0);
    EXPECT_NEAR((rcDlg.top + rcDlg.bottom) / 2.0, (rcOwner.top + rcOwner.bottom) / 2.0, 1.0);
    EXPECT_EQ(title, L"关于Norvane软件安装管理器");
    EXPECT_EQ(rcLink.left, 30);
    EXPECT_EQ(rcLink.top, 90);
    EXPECT_EQ(rcLink.right, 180);
    EXPECT_EQ(rcLink.bottom, 130);
    EXPECT_EQ(rcClose.left, 225);
    EXPECT_EQ(rcClose.top, 125);
    EXPECT_EQ(rcClose.right, 308);
    EXPECT_EQ(rcClose.bottom, 153);
}

TEST(AboutDlg, PaintsTheSkinHeadStripAndNotice) {
    Owner owner;
    CAboutDlg dlg(&owner.wnd);
    owner.Lend(dlg);
    const Pixels client = ShownClient(dlg);
    ASSERT_FALSE(client.Empty());
    // The head image at its own size in the top-left corner.
    const Pixels head = Pixels::FromBitmap(owner.head);
    EXPECT_TRUE(client.Contains(head, 0, 0));
    // The strip repeated to the right edge, row for row.
    const Pixels strip = Pixels::FromBitmap(owner.strip);
    for (int x = head.Width(); x < client.Width(); ++x)
        for (int y = 0; y < head.Height(); ++y) ASSERT_EQ(client.At(x, y), strip.At(0, y)) << x;
    // The skin colour below, where nothing stands.
    for (POINT pt : {POINT{5, 80}, POINT{200, 80}, POINT{10, 170}, POINT{320, 160}})
        EXPECT_EQ(client.At(pt.x, pt.y), kSkinBack) << pt.x << "," << pt.y;
    // The notice: white text from (30, 135), left of the close button (its glyphs' edges are
    // smoothed into the background, so "bright" counts as text).
    const auto bright = [](COLORREF c) {
        return GetRValue(c) > 150 && GetGValue(c) > 150 && GetBValue(c) > 150;
    };
    const Pixels band = client.Crop(RECT{0, 131, 224, 160});
    const RECT notice = band.Bounds(bright);
    EXPECT_GE(notice.left, 30);
    EXPECT_LE(notice.left, 33);
    EXPECT_GE(notice.top, 4);  // 135 - 131
    EXPECT_GT(notice.right - notice.left, 60);
    EXPECT_GT(band.Count(kWhite), 20);
}

TEST(AboutDlg, LinkIsWhiteLightGreyWhenHoveredAndAfterAClickOpensTheForum) {
    g_opened.clear();
    const auto previous = CButtonST::SetShellExecuteProc(&RecordShellExecute);
    Owner owner;
    CAboutDlg dlg(&owner.wnd);
    owner.Lend(dlg);
    CButtonST& link = dlg.m_btnLink;
    int whiteNormal = 0, greyNormal = 0, whiteHover = 0, greyHover = 0, whiteAfter = 0,
        greyAfter = 0, lines = 0;
    HWND hFocusAfter = nullptr, hLink = nullptr;
    std::wstring caption;
    const INT_PTR r = uitest::RunModal(dlg, {
                                                {300,
                                                 [&] {
                                                     const Pixels p = Painted(link);
                                                     whiteNormal = p.Count(kWhite);
                                                     greyNormal = p.Count(kLightGrey);
                                                     lines = TextLines(p, kSkinBack);
                                                     EXPECT_EQ(p.At(1, 1), kSkinBack);
                                                     CString s;
                                                     link.GetWindowText(s);
                                                     caption = s.Str();
                                                 }},
                                                {0, [&] { MouseTo(ScreenPoint(link, 75, 20)); }},
                                                {0,
                                                 [&] {
                                                     const Pixels p = Painted(link);
                                                     whiteHover = p.Count(kWhite);
                                                     greyHover = p.Count(kLightGrey);
                                                 },
                                                 [&] { return link.IsHovered() != FALSE; }},
                                                {0, [] { MouseButton(true); }},
                                                {80, [] { MouseButton(false); }},
                                                {150, [&] { MouseTo(ScreenPoint(dlg, 20, 180)); }},
                                                {0,
                                                 [&] {
                                                     const Pixels p = Painted(link);
                                                     whiteAfter = p.Count(kWhite);
                                                     greyAfter = p.Count(kLightGrey);
                                                     hFocusAfter = ::GetFocus();
                                                     hLink = link.GetSafeHwnd();
                                                 },
                                                 [&] { return !link.IsHovered(); }},
                                            });
    CButtonST::SetShellExecuteProc(previous);
    ASSERT_EQ(r, 0);
    EXPECT_EQ(caption, std::wstring(L"欢迎访问Norvane技术论坛 ") + kForumHomePage);
    // The greeting on one line, the address on the next: the caption breaks at its blank.
    EXPECT_EQ(lines, 2);
    EXPECT_GT(whiteNormal, 30);
    EXPECT_GT(whiteNormal, 4 * greyNormal);
    EXPECT_EQ(whiteHover, 0);
    EXPECT_GT(greyHover, 30);
    // Clicked, the link keeps the focus and with it the light grey.
    EXPECT_EQ(hFocusAfter, hLink);
    EXPECT_EQ(whiteAfter, 0);
    EXPECT_GT(greyAfter, 30);
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(g_opened[0].verb, L"open");
    EXPECT_EQ(g_opened[0].file, kForumHomePage);
    EXPECT_EQ(g_opened[0].nShow, SW_SHOWMAXIMIZED);
}

TEST(AboutDlg, CloseButtonShowsImage134Then135WhenHoveredAndClosesWithOk) {
    Owner owner;
    CAboutDlg dlg(&owner.wnd);
    owner.Lend(dlg);
    CBitmap out, in;
    out.LoadBitmap(IDB_CLOSE_OUT);
    in.LoadBitmap(IDB_CLOSE_IN);
    const Pixels pxOut = Pixels::FromBitmap(out), pxIn = Pixels::FromBitmap(in);
    CButtonST& close = dlg.m_btnClose;
    std::wstring tip;
    const INT_PTR r = uitest::RunModal(
        dlg, {
                 {300,
                  [&] {
                      EXPECT_EQ(Painted(close), pxOut);
                      EXPECT_EQ(close.GetColor(CButtonST::BTNST_COLOR_BK_IN), kSkinBack);
                      EXPECT_EQ(close.GetColor(CButtonST::BTNST_COLOR_BK_OUT), kSkinBack);
                      EXPECT_EQ(close.GetColor(CButtonST::BTNST_COLOR_BK_FOCUS), kSkinBack);
                  }},
                 {0, [&] { MouseTo(ScreenPoint(close)); }},
                 {0, [&] { EXPECT_EQ(Painted(close), pxIn); },
                  [&] { return close.IsHovered() != FALSE; }},
                 {0, [] { MouseButton(true); }},
                 {80, [] { MouseButton(false); }},
                 {2000, [] { ADD_FAILURE() << "the close button did not close the window"; }},
             });
    EXPECT_EQ(r, IDOK);
}

TEST(AboutDlg, EnterGivesOkEscapeAndTheCloseBoxGiveCancel) {
    Owner owner;
    auto run = [&](std::function<void(CAboutDlg&)> act) {
        CAboutDlg dlg(&owner.wnd);
        owner.Lend(dlg);
        return uitest::RunModal(
            dlg, {{300, [&] { act(dlg); }}, {2000, [] { ADD_FAILURE() << "still open"; }}});
    };
    auto key = [](UINT vk) {
        return [vk](CAboutDlg&) { ::PostMessageW(::GetFocus(), WM_KEYDOWN, vk, 0); };
    };
    EXPECT_EQ(run(key(VK_RETURN)), IDOK);
    EXPECT_EQ(run(key(VK_ESCAPE)), IDCANCEL);
    // A real click on the caption's close box.
    EXPECT_EQ(run([](CAboutDlg& dlg) {
                  RECT rc{};
                  dlg.GetWindowRect(&rc);
                  const int y = rc.top + ::GetSystemMetrics(SM_CYFIXEDFRAME) +
                                ::GetSystemMetrics(SM_CYCAPTION) / 2;
                  POINT pt{};
                  for (int x = rc.right - 4; x > rc.right - 40; --x) {
                      if (dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
                          pt = POINT{x - 4, y};
                          break;
                      }
                  }
                  ASSERT_EQ(dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)), HTCLOSE);
                  MouseTo(pt);
                  MouseButton(true);
                  MouseButton(false);
              }),
              IDCANCEL);
}

TEST(AboutDlg, WithoutTheSkinKeepsTheSystemBackground) {
    Owner owner;
    CAboutDlg dlg(&owner.wnd);  // nothing lent
    const Pixels client = ShownClient(dlg);
    ASSERT_FALSE(client.Empty());
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    for (POINT pt : {POINT{5, 5}, POINT{200, 40}, POINT{5, 80}, POINT{320, 160}})
        EXPECT_EQ(client.At(pt.x, pt.y), face) << pt.x << "," << pt.y;
    EXPECT_EQ(dlg.m_btnLink.GetColor(CButtonST::BTNST_COLOR_FG_OUT), ::GetSysColor(COLOR_BTNTEXT));
    EXPECT_NE(dlg.m_btnClose.GetImageIn(), nullptr);
}

}  // namespace
