// The countdown label: which text it draws, in which font and colour, on a background that it
// leaves to its parent. What it shows is compared with the same text drawn by GDI directly.
#include <windows.h>

#include <gtest/gtest.h>

#include "fw/gdi.h"
#include "tests/win/ui/ui_test_support.h"
#include "ui/controls/static_time.h"

namespace {

using uitest::Pixels;

constexpr RECT kLabelRect{10, 10, 150, 50};

// A white window that paints under its children (no WS_CLIPCHILDREN).
class WhiteParent : public CWnd {
public:
    WhiteParent() {
        CreateEx(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE | SS_WHITERECT, RECT{600, 360, 800, 460},
                 nullptr, 0);
    }
    // Repaints the parent and then the labels over it, as the countdown tick does.
    void Repaint() const {
        ::RedrawWindow(GetSafeHwnd(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
};

// The text as GDI draws it on white with the label's font and colour.
Pixels Expected(const CStaticTime& label, const wchar_t* text) {
    RECT rc{};
    label.GetClientRect(&rc);
    const HDC screen = ::GetDC(nullptr);
    const HDC mem = ::CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, rc.right, -rc.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    CBitmap dib(::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    CFont font;
    font.CreateFontIndirect(&label.GetLogFont());
    Pixels p;
    {
        CSelectObject selBitmap(mem, dib);
        CSelectObject selFont(mem, font);
        uitest::Fill(mem, rc, RGB(255, 255, 255));
        ::SetBkMode(mem, TRANSPARENT);
        ::SetTextColor(mem, label.GetTextColor());
        ::DrawTextW(mem, text, -1, &rc, 0);
        p = Pixels::FromDC(mem, rc);
    }
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return p;
}

bool IsInk(COLORREF c) {
    return c != RGB(255, 255, 255);
}

TEST(CountdownLabel, ShowsItsCreationTextUntilSetText) {
    WhiteParent parent;
    CStaticTime label;
    ASSERT_TRUE(label.Create(L"10", WS_CHILD | WS_VISIBLE, kLabelRect, &parent, 1008));
    label.SetFontHeight(14);
    label.SetFontWeight(FW_BOLD);
    label.SetTextColor(RGB(255, 0, 0));
    parent.Repaint();
    const Pixels shown = Pixels::FromWindow(label);
    EXPECT_GT(shown.Count(IsInk), 20);
    EXPECT_EQ(shown, Expected(label, L"10"));
    EXPECT_EQ(label.GetText(), L"10");

    // The creation text was taken over at the first paint: the window text no longer counts.
    label.SetWindowText(L"77");
    parent.Repaint();
    EXPECT_EQ(Pixels::FromWindow(label), Expected(label, L"10"));

    label.SetText(L"9");
    parent.Repaint();
    EXPECT_EQ(Pixels::FromWindow(label), Expected(label, L"9"));
    // The label's text is the countdown's only; with the fixed wording the same holds.
    label.SetText(L"秒钟后开始自动安装!");
    parent.Repaint();
    EXPECT_EQ(Pixels::FromWindow(label), Expected(label, L"秒钟后开始自动安装!"));
}

TEST(CountdownLabel, ShorterTextLeavesNoRemnantOnceTheParentRepaints) {
    WhiteParent parent;
    CStaticTime label;
    label.Create(L"10", WS_CHILD | WS_VISIBLE, kLabelRect, &parent, 1008);
    label.SetFontHeight(28);
    label.SetFontWeight(FW_BOLD);
    parent.Repaint();
    const Pixels ten = Pixels::FromWindow(label);

    // The label itself never paints its background: alone, it draws "9" over the old "10".
    label.SetText(L"9");
    ::UpdateWindow(label);
    const Pixels over = Pixels::FromWindow(label);
    const Pixels nine = Expected(label, L"9");
    EXPECT_NE(over, nine);
    EXPECT_GT(over.Count(IsInk), nine.Count(IsInk));
    for (int y = 0; y < ten.Height(); ++y)
        for (int x = 0; x < ten.Width(); ++x)
            if (IsInk(ten.At(x, y)) && !IsInk(nine.At(x, y))) {
                ASSERT_TRUE(IsInk(over.At(x, y))) << x << "," << y;
            }

    // With the parent repainted behind it, only the 9 remains.
    parent.Repaint();
    EXPECT_EQ(Pixels::FromWindow(label), nine);
}

TEST(CountdownLabel, FontHeightWeightAndColourTakeEffectAtTheNextPaint) {
    WhiteParent parent;
    CStaticTime label;
    label.Create(L"88", WS_CHILD | WS_VISIBLE, kLabelRect, &parent, 1009);
    EXPECT_STREQ(label.GetLogFont().lfFaceName, L"宋体");
    EXPECT_EQ(label.GetLogFont().lfCharSet, DEFAULT_CHARSET);
    label.SetFontHeight(14);
    parent.Repaint();
    const Pixels small = Pixels::FromWindow(label);
    EXPECT_EQ(small, Expected(label, L"88"));
    const RECT rcSmall = small.Bounds(IsInk);
    const long gdi = uitest::GdiObjectCount();

    label.SetFontHeight(28);
    parent.Repaint();
    const Pixels large = Pixels::FromWindow(label);
    EXPECT_EQ(large, Expected(label, L"88"));
    const RECT rcLarge = large.Bounds(IsInk);
    EXPECT_GE(rcLarge.bottom - rcLarge.top, 2 * (rcSmall.bottom - rcSmall.top) - 2);

    label.SetFontWeight(FW_BOLD);
    parent.Repaint();
    const Pixels bold = Pixels::FromWindow(label);
    EXPECT_EQ(bold, Expected(label, L"88"));
    EXPECT_GT(bold.Count(IsInk), large.Count(IsInk) * 5 / 4);

    EXPECT_EQ(bold.Count(RGB(0, 0, 255)), 0);
    label.SetTextColor(RGB(0, 0, 255));
    parent.Repaint();
    const Pixels blue = Pixels::FromWindow(label);
    EXPECT_EQ(blue, Expected(label, L"88"));
    EXPECT_GT(blue.Count(RGB(0, 0, 255)), 20);
    EXPECT_EQ(blue.Count(RGB(0, 0, 0)), 0);

    // No font made for a paint outlives it.
    for (int i = 0; i < 20; ++i) parent.Repaint();
    EXPECT_EQ(uitest::GdiObjectCount(), gdi);
}

}  // namespace
