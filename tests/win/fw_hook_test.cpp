// The object's window procedure among others: a procedure put in front of it later keeps
// working after the object lets go, and the window can be bound again.
#include <windows.h>

#include <gtest/gtest.h>

#include "fw/wnd.h"

namespace {

class AppWnd : public CWnd {
public:
    int m_nSeen = 0;

protected:
    bool ProcessMessageTable(fw::MsgContext& ctx) override {
        return ctx.Run(*this, kMessages) || CWnd::ProcessMessageTable(ctx);
    }

private:
    LRESULT OnApp(WPARAM, LPARAM) {
        ++m_nSeen;
        return 7;
    }
    static constexpr fw::MsgEntry kMessages[] = {fw::Msg<WM_APP, &AppWnd::OnApp>};
};

WNDPROC g_pfnBelow = nullptr;
int g_nOuter = 0;

LRESULT CALLBACK OuterProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) ++g_nOuter;
    return ::CallWindowProcW(g_pfnBelow, hWnd, message, wParam, lParam);
}

TEST(FwHook, AnotherProcedureInFrontOfTheObjects) {
    const HWND h = ::CreateWindowExW(0, L"STATIC", L"abc", WS_POPUP, 0, 0, 40, 40, nullptr, nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(h, nullptr);
    const auto pfnStatic = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(h, GWLP_WNDPROC));
    {
        AppWnd first;
        ASSERT_TRUE(first.SubclassWindow(h));
        g_pfnBelow = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterProc)));
        EXPECT_EQ(::SendMessageW(h, WM_APP, 0, 0), 7);
        EXPECT_EQ(first.m_nSeen, 1);
        EXPECT_EQ(g_nOuter, 1);
    }
    // The object is gone; its procedure stays under the outer one and only passes on.
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
    EXPECT_EQ(::SendMessageW(h, WM_APP, 0, 0), 0);
    EXPECT_EQ(g_nOuter, 2);
    EXPECT_EQ(::SendMessageW(h, WM_GETTEXTLENGTH, 0, 0), 3);
    {
        AppWnd second;
        ASSERT_TRUE(second.SubclassWindow(h));
        EXPECT_EQ(CWnd::FromHandlePermanent(h), &second);
        EXPECT_EQ(::SendMessageW(h, WM_APP, 0, 0), 7);
        EXPECT_EQ(second.m_nSeen, 1);
    }
    // Without the outer procedure, letting go gives the window its own procedure back.
    ::SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pfnBelow));
    {
        AppWnd third;
        ASSERT_TRUE(third.SubclassWindow(h));
    }
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(h, GWLP_WNDPROC)), pfnStatic);
    ::DestroyWindow(h);
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
}

}  // namespace
