// Gallery: shows the image buttons, the countdown labels and the about window with the real
// art, puts them through their states with real mouse input and saves what the screen shows
// as PNG files, for people to look at. Not shipped.
//
//   gallery.exe OUTPUT_FOLDER
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/gallery/gallery_output.h"
#include "tests/win/ui/ui_test_support.h"
#include "ui/controls/about_dlg.h"
#include "ui/controls/forum_address.h"
#include "ui/controls/static_time.h"
#include "ui/controls/xp_style_button_st.h"

namespace {

using uitest::MouseButton;
using uitest::MouseTo;
using uitest::Pixels;
using uitest::ScreenPoint;

constexpr COLORREF kWindowBk = RGB(51, 51, 51);
constexpr COLORREF kForumBk = 0x17BFFF;

gallery::Output g_out(L"gallery");

Pixels Shot(HWND hWnd) {
    ::UpdateWindow(hWnd);
    return Pixels::FromWindow(hWnd);
}

HBITMAP Load(UINT nID) {
    return uitest::LoadResBitmap(nID);
}

// --- the main window's buttons and labels ---------------------------------------------------

struct ButtonSpec {
    const wchar_t* name;
    const wchar_t* caption;
    DWORD style;
    RECT rc;
    UINT in, out;
    const wchar_t* tip;
    COLORREF back;
};

// The bottom row and the top-band buttons as the main window places them in an 800-pixel
// wide client area with the countdown on; here all on one dark panel.
const ButtonSpec kButtons[] = {
    {L"select-all",
     L"(&A)",
     WS_TABSTOP | BS_AUTOCHECKBOX,
     {327, 92, 467, 120},
     IDB_SELECT_ALL_IN,
     IDB_SELECT_ALL_OUT,
     L"选择所有应用程序",
     kWindowBk},
    {L"save",
     L"(&S)",
     WS_TABSTOP,
     {569, 92, 673, 120},
     IDB_SAVE_IN,
     IDB_SAVE_OUT,
     L"保存所选软件安装包",
     kWindowBk},
    {L"install",
     L"(&I)",
     WS_TABSTOP,
     {679, 92, 767, 120},
     IDB_INSTALL_AUTO_IN,
     IDB_INSTALL_AUTO_OUT,
     L"自动安装所选软件",
     kWindowBk},
    {L"options",
     L"",
     WS_TABSTOP,
     {767, 92, 786, 120},
     IDB_OPTIONS,
     IDB_OPTIONS,
     L"安装选项",
     kWindowBk},
    {L"forum",
     L"",
     WS_TABSTOP,
     {596, 12, 691, 43},
     IDB_FORUM_IN,
     IDB_FORUM_OUT,
     L"访问论坛主页",
     kForumBk},
    {L"help",
     L"",
     WS_TABSTOP,
     {698, 12, 793, 43},
     IDB_HELP_IN,
     IDB_HELP_OUT,
     L"查看帮助信息",
     kForumBk},
    {L"prev", L"", WS_TABSTOP, {10, 12, 154, 38}, IDB_PREV, IDB_PREV, nullptr, kWindowBk},
    {L"next", L"", WS_TABSTOP, {10, 50, 154, 76}, IDB_NEXT, IDB_NEXT, nullptr, kWindowBk},
    {L"install-manual",
     L"(&I)",
     WS_TABSTOP,
     {200, 12, 288, 40},
     IDB_INSTALL_MANUAL_IN,
     IDB_INSTALL_MANUAL_OUT,
     L"手动安装所选软件",
     kWindowBk},
};
constexpr size_t kButtonCount = sizeof kButtons / sizeof kButtons[0];

void ShowControls() {
    CXPStyleButtonST buttons[kButtonCount];
    CStaticTime seconds, countdown;
    CFont font;
    uitest::HostDlg dlg(RECT{100, 100, 906, 260}, kWindowBk, [&](uitest::HostDlg& host) {
        LOGFONTW lf{};
        ::GetObjectW(host.GetFont(), sizeof lf, &lf);
        font.CreateFontIndirect(&lf);
        for (size_t i = 0; i < kButtonCount; ++i) {
            const ButtonSpec& s = kButtons[i];
            CButtonST& b = buttons[i];
            b.Create(s.caption, WS_CHILD | WS_VISIBLE | s.style, s.rc, &host,
                     static_cast<UINT>(2001 + i));
            b.SetFont(font, FALSE);
            b.SetImages(CBitmap(Load(s.in)), CBitmap(Load(s.out)));
            for (int slot : {0, 2, 4}) b.SetColor(slot, s.back);
            if (s.tip) b.SetTipText(s.tip);
        }
        uitest::CreateCountdownLabels(seconds, countdown, host, RECT{80, 95, 100, 120},
                                      RECT{104, 96, 244, 120});
    });

    std::vector<uitest::Script::Step> steps;
    steps.push_back({400, [&] {
                         ::SetFocus(dlg.GetSafeHwnd());
                         dlg.Redraw();
                         g_out.Save(L"controls", Shot(dlg));
                     }});
    for (size_t i = 0; i < kButtonCount; ++i) {
        CButtonST& b = buttons[i];
        const std::wstring name = kButtons[i].name;
        steps.push_back({0, [&b, name] { g_out.Save((name + L"-normal").c_str(), Shot(b)); }});
        steps.push_back({0, [&b] { MouseTo(ScreenPoint(b)); }});
        steps.push_back({0, [&b, name] { g_out.Save((name + L"-hover").c_str(), Shot(b)); },
                         [&b] { return b.IsHovered() != FALSE; }});
        steps.push_back({0, [] { MouseButton(true); }});
        steps.push_back({150, [&b, name] { g_out.Save((name + L"-pressed").c_str(), Shot(b)); }});
        steps.push_back({0, [&] {
                             MouseTo(POINT{2, 2});
                             MouseButton(false);
                         }});
        steps.push_back({0, [] {}, [&b] { return !b.IsHovered(); }});
    }
    // The select-all box ticked by a click and not hovered; then the tooltip of the install
    // button, and the countdown ticking down to one digit.
    steps.push_back({0, [&] { MouseTo(ScreenPoint(buttons[0])); }});
    steps.push_back({150, [] { MouseButton(true); }});
    steps.push_back({80, [] { MouseButton(false); }});
    steps.push_back({100, [] { MouseTo(POINT{2, 2}); }});
    steps.push_back({0, [&] { g_out.Save(L"select-all-ticked", Shot(buttons[0])); },
                     [&] { return !buttons[0].IsHovered(); }});
    steps.push_back({0, [&] { MouseTo(ScreenPoint(buttons[2])); }});
    steps.push_back({1500, [&] {
                         RECT rc{};
                         ::GetWindowRect(dlg.GetSafeHwnd(), &rc);
                         rc.bottom += 40;
                         const HDC screen = ::GetDC(nullptr);
                         g_out.Save(L"install-tooltip", Pixels::FromDC(screen, rc));
                         ::ReleaseDC(nullptr, screen);
                     }});
    steps.push_back({0, [&] {
                         MouseTo(POINT{2, 2});
                         seconds.SetText(L"9");
                         RECT rc{};
                         seconds.GetWindowRect(&rc);
                         dlg.ScreenToClient(&rc);
                         dlg.InvalidateRect(&rc, TRUE);
                         dlg.UpdateWindow();
                         g_out.Save(L"countdown-9", Shot(dlg));
                     }});
    uitest::RunModal(dlg, std::move(steps), 60000);
}

// --- the about window ----------------------------------------------------------------------

BOOL WINAPI NoShell(SHELLEXECUTEINFOW*) {
    return TRUE;
}

void ShowAbout() {
    CWnd owner;
    owner.CreateEx(0, L"STATIC", L"软件安装管理器", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                   RECT{100, 100, 900, 600}, nullptr, 0);
    COLORREF crBack = kWindowBk;
    CBitmap head, strip;
    head.LoadBitmap(IDB_HEAD_LEFT);
    strip.LoadBitmap(IDB_HEAD_MID);
    CAboutDlg dlg(&owner);
    dlg.m_pcrBack = &crBack;
    dlg.m_pbmpHead = &head;
    dlg.m_pbmpStrip = &strip;
    // The link is clicked for its look; no browser is wanted.
    const auto previous = CButtonST::SetShellExecuteProc(&NoShell);
    auto frame = [&] {
        ::UpdateWindow(dlg);
        return Pixels::FromWindowFrame(dlg);
    };
    CButtonST& link = dlg.m_btnLink;
    CButtonST& close = dlg.m_btnClose;
    uitest::RunModal(dlg,
                     {
                         {400, [&] { g_out.Save(L"about", frame()); }},
                         {0, [&] { MouseTo(ScreenPoint(link)); }},
                         {0, [&] { g_out.Save(L"about-link-hover", frame()); },
                          [&] { return link.IsHovered() != FALSE; }},
                         {0, [] { MouseButton(true); }},
                         {80, [] { MouseButton(false); }},
                         {100,
                          [] {
                              MouseTo(POINT{2, 2});
                          }},
                         {0, [&] { g_out.Save(L"about-link-clicked", frame()); },
                          [&] { return !link.IsHovered(); }},
                         {0, [&] { MouseTo(ScreenPoint(close)); }},
                         {0, [&] { g_out.Save(L"about-close-hover", frame()); },
                          [&] { return close.IsHovered() != FALSE; }},
                         {0,
                          [] {
                              MouseTo(POINT{2, 2});
                          }},
                     },
                     30000);
    CButtonST::SetShellExecuteProc(previous);

    // Without the skin: the system's own background.
    CAboutDlg plain(&owner);
    uitest::RunModal(plain, {{400, [&] {
                                  ::UpdateWindow(plain);
                                  g_out.Save(L"about-unskinned", Pixels::FromWindowFrame(plain));
                              }}});
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (!g_out.Begin(argc, argv, 1, L"OUTPUT_FOLDER")) return 2;
    ShowControls();
    ShowAbout();
    return g_out.ExitCode();
}
