// Reflection: the parent hands a child's notification, owner-draw and colour messages to the
// child object chosen by the message's own rule; what the child leaves goes to the parent.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "fw/controls.h"
#include "fw/gdi.h"
#include "fw/wnd.h"
#include "tests/win/fw_test_support.h"

namespace {

class ParentWnd : public CWnd {
public:
    int m_nDrawItem = 0;
    std::vector<UINT> m_commands;
    std::vector<HWND> m_notifyFrom;
    CBrush m_brush;

    BOOL Create() {
        m_brush.CreateSolidBrush(RGB(1, 2, 3));
        return CreateEx(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, RECT{50, 50, 450, 350}, nullptr,
                        0);
    }

protected:
    bool ProcessMessageTable(fw::MsgContext& ctx) override {
        return ctx.Run(*this, kMessages) || CWnd::ProcessMessageTable(ctx);
    }

private:
    BOOL OnDrawItem(DRAWITEMSTRUCT*) {
        ++m_nDrawItem;
        return TRUE;
    }
    void OnCmd10() { m_commands.push_back(10); }
    void OnCmd11() { m_commands.push_back(11); }
    LRESULT OnClick10(NMHDR* pNM) {
        m_notifyFrom.push_back(pNM->hwndFrom);
        return 5;
    }
    HBRUSH OnCtlColor(HDC, HWND) { return m_brush; }
    static constexpr fw::MsgEntry kMessages[] = {
        fw::Msg<WM_DRAWITEM, &ParentWnd::OnDrawItem>,
        fw::Cmd<10, &ParentWnd::OnCmd10>,
        fw::Cmd<11, &ParentWnd::OnCmd11>,
        fw::Notify<10, NM_CLICK, &ParentWnd::OnClick10>,
        fw::Msg<WM_CTLCOLORSTATIC, &ParentWnd::OnCtlColor>,
    };
};

// An owner-drawn button that draws itself; its click is also the parent's business unless it
// is told to keep it.
class SelfDrawnButton : public CButton {
public:
    std::vector<HWND> m_drawnFor;
    int m_nClicked = 0;
    bool m_bKeepClick = false;

    void DrawItem(DRAWITEMSTRUCT* pDIS) override {
        m_drawnFor.push_back(pDIS->hwndItem);
        ::FillRect(pDIS->hDC, &pDIS->rcItem, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }

protected:
    bool ProcessMessageTable(fw::MsgContext& ctx) override {
        return ctx.Run(*this, kMessages) || CButton::ProcessMessageTable(ctx);
    }

private:
    fw::Reply OnClicked() {
        ++m_nClicked;
        return m_bKeepClick ? fw::Handled() : fw::PassOn();
    }
    static constexpr fw::MsgEntry kMessages[] = {
        fw::ReflectCmd<BN_CLICKED, &SelfDrawnButton::OnClicked>};
};

TEST(FwReflect, ButtonsDrawThemselvesAndClicksReachTheParentUnlessKept) {
    ParentWnd parent;
    ASSERT_TRUE(parent.Create());
    SelfDrawnButton a, b;
    ASSERT_TRUE(
        a.Create(L"a", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{10, 10, 90, 40}, &parent, 10));
    ASSERT_TRUE(
        b.Create(L"b", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{100, 10, 180, 40}, &parent, 11));
    b.m_bKeepClick = true;
    ::RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    fwtest::Pump();
    // Each button got only its own WM_DRAWITEM, and the parent's table none of them.
    ASSERT_FALSE(a.m_drawnFor.empty());
    ASSERT_FALSE(b.m_drawnFor.empty());
    for (HWND h : a.m_drawnFor) EXPECT_EQ(h, a.GetSafeHwnd());
    for (HWND h : b.m_drawnFor) EXPECT_EQ(h, b.GetSafeHwnd());
    EXPECT_EQ(parent.m_nDrawItem, 0);

    a.SendMessage(BM_CLICK);
    b.SendMessage(BM_CLICK);
    EXPECT_EQ(a.m_nClicked, 1);
    EXPECT_EQ(b.m_nClicked, 1);
    EXPECT_EQ(parent.m_commands, (std::vector<UINT>{10}));

    // An owner-drawn button without an object leaves its WM_DRAWITEM to the parent.
    const HWND plain = ::CreateWindowExW(0, L"BUTTON", L"p", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW,
                                         200, 10, 60, 30, parent, reinterpret_cast<HMENU>(12),
                                         ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(plain, nullptr);
    ::RedrawWindow(plain, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(parent.m_nDrawItem, 0);
}

// A static that answers the colour query and, for NM_CLICK, notes it and passes it on.
class ColouredStatic : public CStatic {
public:
    CBrush m_brush;
    bool m_bAnswer = true;
    int m_nClicks = 0;

protected:
    bool ProcessMessageTable(fw::MsgContext& ctx) override {
        return ctx.Run(*this, kMessages) || CStatic::ProcessMessageTable(ctx);
    }

private:
    fw::Reply OnCtlColor(HDC, HWND) {
        if (!m_bAnswer) return fw::PassOn();
        return fw::Handled(reinterpret_cast<LRESULT>(m_brush.GetSafeHandle()));
    }
    fw::Reply OnClick(NMHDR*) {
        ++m_nClicks;
        return fw::PassOn();
    }
    static constexpr fw::MsgEntry kMessages[] = {
        fw::Reflect<fw::kAnyCtlColor, &ColouredStatic::OnCtlColor>,
        fw::ReflectNotify<NM_CLICK, &ColouredStatic::OnClick>,
    };
};

TEST(FwReflect, TheChildIsTheOneTheMessageNamesNotTheOneWithTheId) {
    ParentWnd parent;
    ASSERT_TRUE(parent.Create());
    ColouredStatic s10, s11;
    ASSERT_TRUE(s10.Create(L"x", WS_CHILD | WS_VISIBLE, RECT{0, 0, 50, 20}, &parent, 10));
    ASSERT_TRUE(s11.Create(L"y", WS_CHILD | WS_VISIBLE, RECT{0, 30, 50, 50}, &parent, 11));
    s10.m_brush.CreateSolidBrush(RGB(10, 0, 0));
    s11.m_brush.CreateSolidBrush(RGB(11, 0, 0));

    // WM_CTLCOLOR*: the control in lParam.
    CClientDC dc(parent);
    EXPECT_EQ(parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(HDC(dc)),
                                 reinterpret_cast<LPARAM>(s11.GetSafeHwnd())),
              reinterpret_cast<LRESULT>(s11.m_brush.GetSafeHandle()));
    EXPECT_EQ(parent.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(HDC(dc)),
                                 reinterpret_cast<LPARAM>(s10.GetSafeHwnd())),
              reinterpret_cast<LRESULT>(s10.m_brush.GetSafeHandle()));
    // A child that does not answer leaves the query to the parent's table.
    s11.m_bAnswer = false;
    EXPECT_EQ(parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(HDC(dc)),
                                 reinterpret_cast<LPARAM>(s11.GetSafeHwnd())),
              reinterpret_cast<LRESULT>(parent.m_brush.GetSafeHandle()));

    // WM_NOTIFY: the window in hwndFrom, even when idFrom names a sibling. Here s11 sends
    // with the id of s10: s11 sees it, passes it on, and the parent's entry for id 10 runs.
    NMHDR nm{s11.GetSafeHwnd(), 10, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 10, reinterpret_cast<LPARAM>(&nm)), 5);
    EXPECT_EQ(s11.m_nClicks, 1);
    EXPECT_EQ(s10.m_nClicks, 0);
    EXPECT_EQ(parent.m_notifyFrom, (std::vector<HWND>{s11.GetSafeHwnd()}));
}

// Owner-drawn list boxes answer WM_MEASUREITEM with their own heights.
using MeasuredList = fwtest::MeasuredCtrl<CWnd>;

TEST(FwReflect, MeasureItemReachesTheAskingChildAmongChildrenSharingItsId) {
    ParentWnd parent;
    ASSERT_TRUE(parent.Create());
    // Two controls with one id, as the main window's button, label and list share 1008. The
    // list boxes measure during their creation, which the objects already see.
    MeasuredList first(17), second(29);
    const DWORD style = WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    ASSERT_TRUE(first.CreateEx(0, L"LISTBOX", nullptr, style, RECT{0, 0, 100, 100}, &parent, 1008));
    ASSERT_TRUE(
        second.CreateEx(0, L"LISTBOX", nullptr, style, RECT{120, 0, 220, 100}, &parent, 1008));
    EXPECT_EQ(first.m_nMeasured, 1);
    EXPECT_EQ(second.m_nMeasured, 1);
    EXPECT_EQ(first.SendMessage(LB_GETITEMHEIGHT), 17);
    EXPECT_EQ(second.SendMessage(LB_GETITEMHEIGHT), 29);
}

}  // namespace
