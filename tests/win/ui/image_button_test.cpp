// The image button: its creation styles, images and their ownership, tick state, link and
// tooltip, and what it shows under real mouse input inside a modal dialog.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/win/ui/ui_test_support.h"
#include "ui/controls/xp_style_button_st.h"

namespace {

using uitest::HostDlg;
using uitest::MakeBitmap;
using uitest::MouseButton;
using uitest::MouseTo;
using uitest::Pixels;
using uitest::ScreenPoint;

constexpr RECT kHostRect{600, 360, 1000, 660};
constexpr COLORREF kHostBack = RGB(40, 40, 40);
constexpr COLORREF kInFill = RGB(220, 30, 30), kInMark = RGB(255, 255, 0);
constexpr COLORREF kOutFill = RGB(30, 30, 220), kOutMark = RGB(0, 255, 255);
constexpr COLORREF kBkIn = RGB(0, 120, 0), kBkOut = RGB(90, 90, 90), kBkFocus = RGB(150, 0, 150);
constexpr COLORREF kFgIn = RGB(255, 255, 255), kFgOut = RGB(255, 255, 255);

void Paint(HWND hWnd) {
    ::InvalidateRect(hWnd, nullptr, TRUE);
    ::UpdateWindow(hWnd);
}

// Colours that tell the states apart; the focus background is the normal one unless a test
// wants to see the focus.
void SetTestColors(CButtonST& b, COLORREF crFocus = kBkOut) {
    b.SetColor(CButtonST::BTNST_COLOR_BK_IN, kBkIn);
    b.SetColor(CButtonST::BTNST_COLOR_FG_IN, kFgIn);
    b.SetColor(CButtonST::BTNST_COLOR_BK_OUT, kBkOut);
    b.SetColor(CButtonST::BTNST_COLOR_FG_OUT, kFgOut);
    b.SetColor(CButtonST::BTNST_COLOR_BK_FOCUS, crFocus);
    b.SetColor(CButtonST::BTNST_COLOR_FG_FOCUS, kFgOut);
}

void SetTestImages(CButtonST& b, int cx = 40, int cy = 20) {
    ASSERT_EQ(b.SetImages(CBitmap(MakeBitmap(cx, cy, kInFill, kInMark)),
                          CBitmap(MakeBitmap(cx, cy, kOutFill, kOutMark))),
              0);
}

// A parent window for the tests that need no message loop.
class Parent : public CWnd {
public:
    Parent() {
        CreateEx(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, RECT{600, 360, 900, 560}, nullptr, 0);
    }
};

// --- creation, styles, tick state -----------------------------------------------------------

TEST(ImageButton, CreationStyleDecidesCheckBoxAndDefaultButton) {
    Parent parent;
    CXPStyleButtonST check, defPush, push, ownerDrawn;
    ASSERT_TRUE(check.Create(L"", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, RECT{0, 0, 50, 20},
                             &parent, 1001));
    ASSERT_TRUE(defPush.Create(L"", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, RECT{0, 30, 50, 50},
                               &parent, 1002));
    ASSERT_TRUE(
        push.Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, RECT{0, 60, 50, 80}, &parent, 1003));
    ASSERT_TRUE(ownerDrawn.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{0, 90, 50, 110},
                                  &parent, 1004));

    EXPECT_TRUE(check.IsCheckBox());
    EXPECT_FALSE(check.IsDefaultButton());
    EXPECT_FALSE(defPush.IsCheckBox());
    EXPECT_TRUE(defPush.IsDefaultButton());
    EXPECT_FALSE(push.IsCheckBox());
    EXPECT_FALSE(push.IsDefaultButton());
    // Already owner-drawn (0xB has the bit that check boxes have): still a push button.
    EXPECT_FALSE(ownerDrawn.IsCheckBox());

    // Every one is owner-drawn now, the other style bits untouched.
    for (CButtonST* b : {&check, &defPush, &push, &ownerDrawn})
        EXPECT_EQ(b->GetStyle() & 0x1F, static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_TRUE(push.GetStyle() & WS_TABSTOP);

    // The dialog manager sees push buttons, the default one as such.
    EXPECT_TRUE(defPush.SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON);
    EXPECT_TRUE(push.SendMessage(WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON);
    EXPECT_FALSE(push.SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON);

    // It moves the default around with BM_SETSTYLE; the button stays owner-drawn.
    push.SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_TRUE(push.IsDefaultButton());
    EXPECT_TRUE(push.SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(push.GetStyle() & 0x1F, static_cast<DWORD>(BS_OWNERDRAW));
    push.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_FALSE(push.IsDefaultButton());
    EXPECT_EQ(push.GetStyle() & 0x1F, static_cast<DWORD>(BS_OWNERDRAW));
}

TEST(ImageButton, TickStateFollowsSetCheckOnlyForCheckBoxes) {
    Parent parent;
    CXPStyleButtonST check, push;
    check.Create(L"", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, RECT{0, 0, 50, 20}, &parent, 1001);
    push.Create(L"", WS_CHILD | WS_VISIBLE, RECT{0, 30, 50, 50}, &parent, 1002);
    const std::pair<WPARAM, int> cases[] = {{1, 1}, {0, 0}, {2, 1}, {7, 0}, {BST_CHECKED, 1}};
    for (const auto& [set, expected] : cases) {
        check.SendMessage(BM_SETCHECK, set);
        EXPECT_EQ(check.GetCheck(), expected) << set;
        EXPECT_EQ(check.IsChecked(), expected) << set;
    }
    push.SendMessage(BM_SETCHECK, 1);
    EXPECT_EQ(push.GetCheck(), 0);

    // A click toggles a check box before its parent hears of it; a push button keeps 0.
    check.SetCheck(0);
    check.SendMessage(BM_CLICK);
    EXPECT_EQ(check.GetCheck(), 1);
    check.SendMessage(BM_CLICK);
    EXPECT_EQ(check.GetCheck(), 0);
    push.SendMessage(BM_CLICK);
    EXPECT_EQ(push.GetCheck(), 0);
}

// --- images ---------------------------------------------------------------------------------

TEST(ImageButton, SetImagesDeletesThePreviousBitmaps) {
    Parent parent;
    HBITMAP a = MakeBitmap(8, 8, kInFill, kInMark), b = MakeBitmap(8, 8, kOutFill, kOutMark);
    HBITMAP c = MakeBitmap(6, 4, kInFill, kInMark), d = MakeBitmap(6, 4, kOutFill, kOutMark);
    {
        CXPStyleButtonST btn;
        btn.Create(L"", WS_CHILD | WS_VISIBLE, RECT{0, 0, 50, 20}, &parent, 1001);
        EXPECT_EQ(btn.SetImages(CBitmap(a), CBitmap(b)), 0);
        EXPECT_EQ(btn.GetImageIn(), a);
        EXPECT_EQ(btn.GetImageOut(), b);
        EXPECT_EQ(btn.SetImages(CBitmap(c), CBitmap(d)), 0);
        EXPECT_EQ(::GetObjectType(a), 0u);
        EXPECT_EQ(::GetObjectType(b), 0u);
        EXPECT_EQ(::GetObjectType(c), static_cast<DWORD>(OBJ_BITMAP));
        EXPECT_EQ(::GetObjectType(d), static_cast<DWORD>(OBJ_BITMAP));

        // Handed over again (borrowed handles wrapped anew, here swapped), a bitmap is kept, not
        // deleted.
        EXPECT_EQ(btn.SetImages(CBitmap(d), CBitmap(c)), 0);
        EXPECT_EQ(::GetObjectType(c), static_cast<DWORD>(OBJ_BITMAP));
        EXPECT_EQ(::GetObjectType(d), static_cast<DWORD>(OBJ_BITMAP));
        EXPECT_EQ(btn.GetImageIn(), d);
    }
    // The button's end deletes what it holds.
    EXPECT_EQ(::GetObjectType(c), 0u);
    EXPECT_EQ(::GetObjectType(d), 0u);
}

TEST(ImageButton, SetImagesWithoutUsableInImageKeepsNone) {
    Parent parent;
    CXPStyleButtonST btn;
    btn.Create(L"", WS_CHILD | WS_VISIBLE, RECT{0, 0, 50, 20}, &parent, 1001);

    // No In image: nothing kept, an Out image given alone is deleted all the same.
    HBITMAP out = MakeBitmap(8, 8, kOutFill, kOutMark);
    EXPECT_EQ(btn.SetImages(CBitmap(), CBitmap(out)), 0);
    EXPECT_EQ(btn.GetImageIn(), nullptr);
    EXPECT_EQ(btn.GetImageOut(), nullptr);
    EXPECT_EQ(::GetObjectType(out), 0u);

    // An Out handle that is no bitmap: 1, and the In image given with it is released.
    HBITMAP in = MakeBitmap(8, 8, kInFill, kInMark), gone = MakeBitmap(8, 8, 0, 0);
    ::DeleteObject(gone);
    EXPECT_EQ(btn.SetImages(CBitmap(in), CBitmap(gone)), 1);
    EXPECT_EQ(btn.GetImageIn(), nullptr);
    EXPECT_EQ(::GetObjectType(in), 0u);

    // The same handle as In and Out is one image, held once.
    HBITMAP both = MakeBitmap(8, 8, kInFill, kInMark);
    EXPECT_EQ(btn.SetImages(CBitmap(both), CBitmap(both)), 0);
    EXPECT_EQ(btn.GetImageIn(), both);
    EXPECT_EQ(btn.GetImageOut(), nullptr);
    EXPECT_EQ(btn.SetImages(CBitmap(), CBitmap()), 0);
    EXPECT_EQ(::GetObjectType(both), 0u);

    // Bitmaps taken from a named owner leave it empty, kept or not.
    CBitmap in2(MakeBitmap(8, 8, kInFill, kInMark)), out2(MakeBitmap(8, 8, 0, 0));
    const HBITMAP hOut2 = out2;
    EXPECT_EQ(btn.SetImages(CBitmap(), std::move(out2)), 0);
    EXPECT_EQ(out2.GetSafeHandle(), nullptr);
    EXPECT_EQ(::GetObjectType(hOut2), 0u);
    const HBITMAP hIn2 = in2;
    EXPECT_EQ(btn.SetImages(std::move(in2), CBitmap()), 0);
    EXPECT_EQ(in2.GetSafeHandle(), nullptr);
    EXPECT_EQ(btn.GetImageIn(), hIn2);
}

// Resource ids: the module's bitmaps, at their own sizes; an id without a bitmap gives none.
TEST(ImageButton, SetImagesFromResources) {
    Parent parent;
    CXPStyleButtonST btn;
    btn.Create(L"", WS_CHILD | WS_VISIBLE, RECT{0, 0, 90, 30}, &parent, 1001);
    EXPECT_EQ(btn.SetImages(IDB_CLOSE_IN, IDB_CLOSE_OUT), 0);
    ASSERT_NE(btn.GetImageIn(), nullptr);
    ASSERT_NE(btn.GetImageOut(), nullptr);
    BITMAP bm{};
    ASSERT_TRUE(::GetObjectW(btn.GetImageIn(), sizeof bm, &bm));
    EXPECT_EQ(bm.bmWidth, 83);
    EXPECT_EQ(bm.bmHeight, 28);
    EXPECT_EQ(btn.SetImages(IDB_CLOSE_IN, 0), 0);
    EXPECT_EQ(btn.GetImageOut(), nullptr);
    EXPECT_EQ(btn.SetImages(0xFFF0, IDB_CLOSE_OUT), 0);
    EXPECT_EQ(btn.GetImageIn(), nullptr);
    EXPECT_EQ(btn.GetImageOut(), nullptr);
}

// A colour slot out of range changes none of the six.
TEST(ImageButton, SetColorKeepsToItsSlots) {
    CButtonST b;
    b.SetBackColor(RGB(1, 2, 3));
    b.SetColor(CButtonST::BTNST_COLOR_FG_IN, RGB(4, 5, 6));
    b.SetColor(CButtonST::BTNST_MAX_COLORS, RGB(7, 8, 9));
    b.SetColor(-1, RGB(7, 8, 9));
    EXPECT_EQ(b.GetColor(CButtonST::BTNST_COLOR_BK_IN), RGB(1, 2, 3));
    EXPECT_EQ(b.GetColor(CButtonST::BTNST_COLOR_BK_OUT), RGB(1, 2, 3));
    EXPECT_EQ(b.GetColor(CButtonST::BTNST_COLOR_BK_FOCUS), RGB(1, 2, 3));
    EXPECT_EQ(b.GetColor(CButtonST::BTNST_COLOR_FG_IN), RGB(4, 5, 6));
    EXPECT_EQ(b.GetColor(CButtonST::BTNST_COLOR_FG_OUT), ::GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(b.GetColor(CButtonST::BTNST_COLOR_FG_FOCUS), ::GetSysColor(COLOR_BTNTEXT));
}

// --- link -----------------------------------------------------------------------------------

struct ShellCall {
    DWORD cbSize, fMask;
    HWND hwnd;
    std::wstring verb, file;
    bool hasParameters, hasDirectory;
    int nShow;
    HINSTANCE hInstApp;
    void* lpIDList;
    HKEY hkeyClass;
};
std::vector<ShellCall> g_shellCalls;

BOOL WINAPI RecordShellExecute(SHELLEXECUTEINFOW* p) {
    g_shellCalls.push_back(ShellCall{p->cbSize, p->fMask, p->hwnd, p->lpVerb ? p->lpVerb : L"",
                                     p->lpFile ? p->lpFile : L"", p->lpParameters != nullptr,
                                     p->lpDirectory != nullptr, p->nShow, p->hInstApp, p->lpIDList,
                                     p->hkeyClass});
    return TRUE;
}

// Replaces the shell for one test.
class ShellRecorder {
public:
    ShellRecorder() {
        g_shellCalls.clear();
        m_previous = CButtonST::SetShellExecuteProc(&RecordShellExecute);
    }
    ~ShellRecorder() { CButtonST::SetShellExecuteProc(m_previous); }

private:
    CButtonST::ShellExecuteExProc m_previous;
};

TEST(ImageButton, LinkOpensThroughTheShellWithOpenMaximised) {
    ShellRecorder recorder;
    Parent parent;
    CXPStyleButtonST link, check;
    link.Create(L"论坛", WS_CHILD | WS_VISIBLE, RECT{0, 0, 80, 30}, &parent, 1001);
    check.Create(L"", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, RECT{0, 40, 80, 70}, &parent, 1002);
    const wchar_t kAddress[] = L"https://forum.bundor.example/论坛?a=1&b=2";
    EXPECT_TRUE(link.SetLink(kAddress));
    EXPECT_TRUE(check.SetLink(kAddress));

    link.SendMessage(BM_CLICK);
    ASSERT_EQ(g_shellCalls.size(), 1u);
    const ShellCall& call = g_shellCalls[0];
    EXPECT_EQ(call.cbSize, sizeof(SHELLEXECUTEINFOW));
    EXPECT_EQ(call.fMask, static_cast<DWORD>(SEE_MASK_FLAG_NO_UI));
    EXPECT_EQ(call.verb, L"open");
    EXPECT_EQ(call.file, kAddress);
    EXPECT_EQ(call.nShow, SW_SHOWMAXIMIZED);
    EXPECT_EQ(call.hwnd, nullptr);
    EXPECT_FALSE(call.hasParameters);
    EXPECT_FALSE(call.hasDirectory);
    EXPECT_EQ(call.hInstApp, nullptr);
    EXPECT_EQ(call.lpIDList, nullptr);
    EXPECT_EQ(call.hkeyClass, nullptr);
    // The click took the focus.
    EXPECT_EQ(::GetFocus(), link.GetSafeHwnd());

    // A check box ticks and opens nothing; a cleared link opens nothing.
    check.SendMessage(BM_CLICK);
    EXPECT_EQ(check.GetCheck(), 1);
    link.SetLink(nullptr);
    link.SendMessage(BM_CLICK);
    EXPECT_EQ(g_shellCalls.size(), 1u);
}

TEST(ImageButton, TooLongLinkIsRefusedAndOpensNothing) {
    ShellRecorder recorder;
    Parent parent;
    CXPStyleButtonST link;
    link.Create(L"", WS_CHILD | WS_VISIBLE, RECT{0, 0, 80, 30}, &parent, 1001);
    SetTestImages(link);
    const HBITMAP hIn = link.GetImageIn();

    // 259 characters fit exactly.
    const std::wstring longest = L"https://forum.bundor.example/" + std::wstring(259 - 29, L'x');
    ASSERT_EQ(longest.size(), 259u);
    EXPECT_TRUE(link.SetLink(longest.c_str()));
    EXPECT_EQ(std::wstring(link.GetLink()), longest);
    link.SendMessage(BM_CLICK);
    ASSERT_EQ(g_shellCalls.size(), 1u);
    EXPECT_EQ(g_shellCalls[0].file, longest);

    // One more, or thousands more, is refused; the link held before is gone too, and nothing
    // beside the buffer was touched.
    for (size_t n : {260u, 261u, 5000u}) {
        EXPECT_TRUE(link.SetLink(L"https://forum.bundor.example/"));
        const std::wstring tooLong = L"https://forum.bundor.example/" + std::wstring(n - 29, L'y');
        EXPECT_FALSE(link.SetLink(tooLong.c_str())) << n;
        EXPECT_STREQ(link.GetLink(), L"") << n;
        EXPECT_EQ(link.GetImageIn(), hIn);
        EXPECT_EQ(::GetObjectType(hIn), static_cast<DWORD>(OBJ_BITMAP));
    }
    link.SendMessage(BM_CLICK);
    EXPECT_EQ(g_shellCalls.size(), 1u);
}

// --- tooltip --------------------------------------------------------------------------------

std::wstring ToolText(HWND hTip, HWND hTool) {
    wchar_t buf[256] = {};
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = hTool;
    ti.uId = 1;
    ti.lpszText = buf;
    ::SendMessageW(hTip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&ti));
    return buf;
}

TEST(ImageButton, TooltipHasOneToolWithTheLastText) {
    Parent parent;
    CXPStyleButtonST b;
    b.Create(L"", WS_CHILD | WS_VISIBLE, RECT{0, 0, 80, 30}, &parent, 1001);
    b.SetTipText(nullptr);
    EXPECT_EQ(b.GetToolTipHwnd(), nullptr);

    b.SetTipText(L"选择所有应用程序");
    const HWND hTip = b.GetToolTipHwnd();
    ASSERT_NE(hTip, nullptr);
    EXPECT_EQ(::SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(ToolText(hTip, b.GetSafeHwnd()), L"选择所有应用程序");
    EXPECT_EQ(::SendMessageW(hTip, TTM_GETMAXTIPWIDTH, 0, 0), 400);

    b.SetTipText(L"保存所选软件安装包");
    EXPECT_EQ(::SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(ToolText(hTip, b.GetSafeHwnd()), L"保存所选软件安装包");
    b.SetTipText(nullptr);
    EXPECT_EQ(ToolText(hTip, b.GetSafeHwnd()), L"保存所选软件安装包");
}

// --- drawing without input -----------------------------------------------------------------

TEST(ImageButton, ImageIsCentredWithoutCaptionAndLeftOfTheCaption) {
    Parent parent;
    CXPStyleButtonST bare, captioned;
    bare.Create(L"", WS_CHILD | WS_VISIBLE, RECT{0, 0, 101, 41}, &parent, 1001);
    captioned.Create(L"安装", WS_CHILD | WS_VISIBLE, RECT{0, 50, 101, 91}, &parent, 1002);
    captioned.SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    for (CButtonST* b : {&bare, &captioned}) {
        SetTestColors(*b);
        SetTestImages(*b, 40, 20);
        Paint(*b);
    }
    const Pixels p = Pixels::FromWindow(bare);
    // (101 - 40) / 2 = 30 and (41 - 20) / 2 = 10: halves truncated.
    EXPECT_EQ(p.At(30, 10), kOutMark);
    EXPECT_EQ(p.At(29, 10), kBkOut);
    EXPECT_EQ(p.At(30, 9), kBkOut);
    EXPECT_EQ(p.At(69, 29), kOutFill);
    EXPECT_EQ(p.At(70, 29), kBkOut);

    const Pixels q = Pixels::FromWindow(captioned);
    EXPECT_EQ(q.At(0, 10), kOutMark);
    // The caption is centred in the room right of the image (x 43 to 101).
    const RECT text = q.Bounds([](COLORREF c) { return c == kFgOut; });
    ASSERT_LT(text.left, text.right);
    EXPECT_GE(text.left, 43);
    EXPECT_NEAR((text.left + text.right) / 2.0, (43 + 101) / 2.0, 2.0);
    EXPECT_NEAR((text.top + text.bottom) / 2.0, 41 / 2.0, 2.0);
}

TEST(ImageButton, CaptionLinesBreakWhereTheyWereMeasured) {
    // Measured in 150 pixels, the greeting fills the first line; wrapped again into the
    // measured width alone, its trailing blank would push its last character down.
    const wchar_t kGreeting[] = L"欢迎访问Norvane技术论坛";
    const std::wstring caption = std::wstring(kGreeting) + L" https://forum.bundor.example/";
    Parent parent;
    CXPStyleButtonST b;
    b.Create(caption.c_str(), WS_CHILD | WS_VISIBLE, RECT{0, 0, 150, 60}, &parent, 1001);
    const HFONT hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    b.SetFont(hFont);
    SetTestColors(b);
    Paint(b);
    const Pixels p = Pixels::FromWindow(b);

    const HDC hDC = ::GetDC(b);
    const HGDIOBJ old = ::SelectObject(hDC, hFont);
    SIZE greeting{};
    ::GetTextExtentPoint32W(hDC, kGreeting, static_cast<int>(wcslen(kGreeting)), &greeting);
    ::SelectObject(hDC, old);
    ::ReleaseDC(b, hDC);
    ASSERT_LE(greeting.cx, 150);

    // The first band of text rows is the whole greeting.
    auto isInk = [](COLORREF c) { return c != kBkOut; };
    int top = -1, bottom = -1;
    for (int y = 0; y < p.Height(); ++y) {
        bool ink = false;
        for (int x = 0; x < p.Width() && !ink; ++x) ink = isInk(p.At(x, y));
        if (ink && top < 0) top = y;
        if (!ink && top >= 0) {
            bottom = y;
            break;
        }
    }
    ASSERT_GE(top, 0);
    const RECT first = p.Crop(RECT{0, top, 150, bottom}).Bounds(isInk);
    EXPECT_GE(first.right - first.left, greeting.cx - 3);
}

TEST(ImageButton, FocusShowsThroughTheFocusColours) {
    Parent parent;
    CXPStyleButtonST b;
    b.Create(L"", WS_CHILD | WS_VISIBLE, RECT{0, 0, 80, 30}, &parent, 1001);
    SetTestColors(b, kBkFocus);
    Paint(b);
    EXPECT_EQ(Pixels::FromWindow(b).At(1, 1), kBkOut);
    b.SetFocus();
    Paint(b);
    const Pixels p = Pixels::FromWindow(b);
    EXPECT_EQ(p.At(1, 1), kBkFocus);
    EXPECT_EQ(p.Count(kBkFocus), 80 * 30);  // no focus rectangle
}

// --- real mouse input in a modal dialog ----------------------------------------------------

POINT HostPoint(HostDlg& dlg, int x, int y) {
    return ScreenPoint(dlg.GetSafeHwnd(), x, y);
}

TEST(ImageButtonInput, HoverSwapsToInAtOnceAndBackOnLeave) {
    CXPStyleButtonST b;
    HostDlg dlg(kHostRect, kHostBack, [&](HostDlg& host) {
        b.Create(L"", WS_CHILD | WS_VISIBLE, RECT{20, 20, 121, 61}, &host, 1001);
        SetTestColors(b);
        SetTestImages(b);
    });
    const HCURSOR hHand = ::LoadCursorW(nullptr, IDC_HAND);
    auto shows = [&](COLORREF mark, COLORREF back, int step) {
        SCOPED_TRACE(step);
        ::UpdateWindow(b);
        const Pixels p = Pixels::FromWindow(b);
        EXPECT_EQ(p.At(30, 10), mark);
        EXPECT_EQ(p.At(2, 2), back);
    };
    auto hovered = [&] { return b.IsHovered() != FALSE; };
    auto left = [&] { return !b.IsHovered(); };
    const INT_PTR r =
        uitest::RunModal(dlg, {
                                  {300, [&] { MouseTo(HostPoint(dlg, 300, 200)); }},
                                  {0, [&] { shows(kOutMark, kBkOut, 1); }, left},
                                  {0, [&] { MouseTo(ScreenPoint(b)); }},
                                  {0, [&] { shows(kInMark, kBkIn, 2); }, hovered},
                                  {0, [&] { MouseTo(ScreenPoint(b, 5, 5)); }},
                                  {150,
                                   [&] {
                                       shows(kInMark, kBkIn, 3);  // moving within keeps it lit
                                       EXPECT_EQ(::GetCursor(), hHand);
                                   }},
                                  {0, [&] { MouseTo(HostPoint(dlg, 300, 200)); }},
                                  {0, [&] { shows(kOutMark, kBkOut, 4); }, left},
                                  // The focus leaving takes the hover away too.
                                  {0, [&] { MouseTo(ScreenPoint(b)); }},
                                  {0,
                                   [&] {
                                       b.SetFocus();
                                       ::SetFocus(dlg.GetSafeHwnd());
                                       EXPECT_FALSE(b.IsHovered());
                                       shows(kOutMark, kBkOut, 5);
                                   },
                                   hovered},
                              });
    EXPECT_EQ(r, 0);
}

TEST(ImageButtonInput, PressingOutsideAndDraggingInDoesNotLight) {
    CXPStyleButtonST b;
    HostDlg dlg(kHostRect, kHostBack, [&](HostDlg& host) {
        b.Create(L"", WS_CHILD | WS_VISIBLE, RECT{20, 20, 121, 61}, &host, 1001);
        SetTestColors(b);
        SetTestImages(b);
    });
    const INT_PTR r = uitest::RunModal(
        dlg, {
                 {300, [&] { MouseTo(HostPoint(dlg, 300, 200)); }},
                 {150, [&] { MouseButton(true); }},
                 {100, [&] { MouseTo(ScreenPoint(b)); }},
                 {100, [&] { MouseTo(ScreenPoint(b, 10, 10)); }},
                 {200,
                  [&] {
                      EXPECT_FALSE(b.IsHovered());
                      ::UpdateWindow(b);
                      const Pixels p = Pixels::FromWindow(b);
                      EXPECT_EQ(p.At(30, 10), kOutMark);
                      EXPECT_EQ(p.At(2, 2), kBkOut);
                  }},
                 {0, [&] { MouseButton(false); }},
                 {150, [&] { EXPECT_EQ(dlg.Clicks(1001), 0); }},
                 // Released over it, the next move lights it.
                 {0, [&] { MouseTo(ScreenPoint(b, 12, 12)); }},
                 {0, [&] { EXPECT_TRUE(b.IsHovered()); }, [&] { return b.IsHovered() != FALSE; }},
             });
    EXPECT_EQ(r, 0);
}

TEST(ImageButtonInput, PressedPushButtonShiftsImageAndCaptionByOnePixel) {
    CXPStyleButtonST b;
    HostDlg dlg(kHostRect, kHostBack, [&](HostDlg& host) {
        b.Create(L"安装", WS_CHILD | WS_VISIBLE, RECT{20, 20, 140, 60}, &host, 1001);
        b.SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
        SetTestColors(b);
        SetTestImages(b, 30, 20);
    });
    Pixels hovered, pressed;
    const INT_PTR r = uitest::RunModal(dlg, {
                                                {300, [&] { MouseTo(HostPoint(dlg, 300, 200)); }},
                                                {100, [&] { MouseTo(ScreenPoint(b, 100, 35)); }},
                                                {0,
                                                 [&] {
                                                     ::UpdateWindow(b);
                                                     hovered = Pixels::FromWindow(b);
                                                 },
                                                 [&] { return b.IsHovered() != FALSE; }},
                                                {0, [&] { MouseButton(true); }},
                                                {200,
                                                 [&] {
                                                     ::UpdateWindow(b);
                                                     pressed = Pixels::FromWindow(b);
                                                 }},
                                                {0, [&] { MouseButton(false); }},
                                                {150, [&] { EXPECT_EQ(dlg.Clicks(1001), 1); }},
                                            });
    ASSERT_EQ(r, 0);
    ASSERT_FALSE(hovered.Empty());
    ASSERT_FALSE(pressed.Empty());
    // Image: In in both (hovered, then pressed), top-left at (0, 10), then (1, 11).
    EXPECT_EQ(hovered.At(0, 10), kInMark);
    EXPECT_EQ(pressed.At(1, 11), kInMark);
    EXPECT_EQ(pressed.At(0, 10), kBkIn);
    // Caption: the same pixels, one to the right and one down.
    auto isText = [](COLORREF c) { return c == kFgIn; };
    const RECT t1 = hovered.Bounds(isText), t2 = pressed.Bounds(isText);
    ASSERT_LT(t1.left, t1.right);
    EXPECT_EQ(t2.left, t1.left + 1);
    EXPECT_EQ(t2.top, t1.top + 1);
    EXPECT_EQ(t2.right, t1.right + 1);
    EXPECT_EQ(t2.bottom, t1.bottom + 1);
    EXPECT_TRUE(pressed.Contains(hovered.Crop(t1), t1.left + 1, t1.top + 1));
}

TEST(ImageButtonInput, CheckBoxShowsInWhileTickedAndTogglesOnClick) {
    CXPStyleButtonST b;
    HostDlg dlg(kHostRect, kHostBack, [&](HostDlg& host) {
        b.Create(L"(&A)", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                 RECT{20, 20, 160, 48}, &host, 1001);
        b.SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
        SetTestColors(b);
        SetTestImages(b, 40, 20);
    });
    std::vector<int> tickAtCommand;
    dlg.m_onCommand = [&](UINT, UINT) { tickAtCommand.push_back(b.IsChecked()); };
    auto capture = [&] {
        ::UpdateWindow(b);
        return Pixels::FromWindow(b);
    };
    auto isText = [](COLORREF c) { return c == kFgOut; };
    RECT textUnticked{}, textTicked{};
    const INT_PTR r =
        uitest::RunModal(dlg, {
                                  {300, [&] { MouseTo(HostPoint(dlg, 300, 200)); }},
                                  {150,
                                   [&] {
                                       const Pixels p = capture();
                                       EXPECT_EQ(p.At(0, 4), kOutMark);
                                       textUnticked = p.Bounds(isText);
                                   }},
                                  {0, [&] { MouseTo(ScreenPoint(b, 100, 14)); }},
                                  // Unticked and hovered: still the Out image, on the hover colour.
                                  {0,
                                   [&] {
                                       const Pixels p = capture();
                                       EXPECT_EQ(p.At(0, 4), kOutMark);
                                       EXPECT_EQ(p.At(139, 1), kBkIn);
                                   },
                                   [&] { return b.IsHovered() != FALSE; }},
                                  {0, [&] { MouseButton(true); }},
                                  {100, [&] { MouseButton(false); }},
                                  {200,
                                   [&] {
                                       EXPECT_EQ(b.GetCheck(), 1);
                                       EXPECT_EQ(capture().At(0, 4), kInMark);
                                   },
                                   [&] { return b.GetCheck() == 1; }},
                                  {0, [&] { MouseTo(HostPoint(dlg, 300, 200)); }},
                                  // Ticked, not hovered: In, and the caption has not moved.
                                  {0,
                                   [&] {
                                       EXPECT_FALSE(b.IsHovered());
                                       const Pixels p = capture();
                                       EXPECT_EQ(p.At(0, 4), kInMark);
                                       textTicked = p.Bounds(isText);
                                   },
                                   [&] { return !b.IsHovered(); }},
                                  {0, [&] { MouseTo(ScreenPoint(b, 100, 14)); }},
                                  {150, [&] { MouseButton(true); }},
                                  {100, [&] { MouseButton(false); }},
                                  {200,
                                   [&] {
                                       EXPECT_EQ(b.GetCheck(), 0);
                                       EXPECT_EQ(capture().At(0, 4), kOutMark);
                                   },
                                   [&] { return b.GetCheck() == 0; }},
                              });
    ASSERT_EQ(r, 0);
    EXPECT_EQ(dlg.Clicks(1001), 2);
    // The parent hears of each click after the tick flipped.
    EXPECT_EQ(tickAtCommand, (std::vector<int>{1, 0}));
    ASSERT_LT(textUnticked.left, textUnticked.right);
    EXPECT_EQ(textTicked.left, textUnticked.left);
    EXPECT_EQ(textTicked.top, textUnticked.top);
}

TEST(ImageButtonInput, DoubleClickGivesTwoClicks) {
    CXPStyleButtonST push, check;
    HostDlg dlg(kHostRect, kHostBack, [&](HostDlg& host) {
        push.Create(L"", WS_CHILD | WS_VISIBLE, RECT{20, 20, 120, 60}, &host, 1001);
        check.Create(L"", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, RECT{20, 80, 120, 120}, &host,
                     1002);
    });
    auto doubleClick = [] {
        MouseButton(true);
        MouseButton(false);
        MouseButton(true);
        MouseButton(false);
    };
    const INT_PTR r = uitest::RunModal(dlg, {
                                                {300, [&] { MouseTo(ScreenPoint(push)); }},
                                                {150, doubleClick},
                                                {300, [&] { MouseTo(ScreenPoint(check)); }},
                                                {150, doubleClick},
                                                {300, [] {}},
                                            });
    ASSERT_EQ(r, 0);
    EXPECT_EQ(dlg.Clicks(1001), 2);
    EXPECT_EQ(dlg.Clicks(1002), 2);
    EXPECT_EQ(check.GetCheck(), 0);  // toggled twice
    for (const auto& [id, code] : dlg.m_commands)
        EXPECT_NE(code, static_cast<UINT>(BN_DOUBLECLICKED));
}

TEST(ImageButtonInput, TooltipShowsItsTextWhileThePointerRests) {
    CXPStyleButtonST b;
    HostDlg dlg(kHostRect, kHostBack, [&](HostDlg& host) {
        b.Create(L"", WS_CHILD | WS_VISIBLE, RECT{20, 20, 120, 60}, &host, 1001);
        b.SetTipText(L"自动安装所选软件");
    });
    bool bShown = false;
    const INT_PTR r = uitest::RunModal(
        dlg, {
                 {300, [&] { MouseTo(HostPoint(dlg, 300, 200)); }},
                 {100, [&] { MouseTo(ScreenPoint(b)); }},
                 {50, [&] { MouseTo(ScreenPoint(b, 51, 21)); }},
                 {1500, [&] { bShown = ::IsWindowVisible(b.GetToolTipHwnd()) != FALSE; }},
                 {0, [&] { MouseTo(HostPoint(dlg, 300, 200)); }},
             });
    ASSERT_EQ(r, 0);
    EXPECT_TRUE(bShown);
}

}  // namespace
