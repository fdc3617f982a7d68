// Message tables on real windows: typed arguments, results, chaining to the base class's
// table, default processing, and the binding of objects to windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "fw/wnd.h"
#include "tests/win/fw_test_support.h"

namespace {

static_assert(!std::is_copy_constructible_v<CWnd> && !std::is_move_constructible_v<CWnd> &&
              !std::is_copy_assignable_v<CWnd> && !std::is_move_assignable_v<CWnd>);

class BaseWnd : public CWnd {
public:
    std::vector<std::string> m_log;
    std::vector<UINT_PTR> m_timers;
    int m_cx = -1, m_cy = -1;

protected:
    bool ProcessMessageTable(fw::MsgContext& ctx) override {
        return ctx.Run(*this, kMessages) || CWnd::ProcessMessageTable(ctx);
    }

private:
    LRESULT OnApp(WPARAM w, LPARAM) {
        m_log.push_back("base");
        return 100 + static_cast<LRESULT>(w);
    }
    LRESULT OnApp1(WPARAM, LPARAM) {
        m_log.push_back("base1");
        return 1;
    }
    void OnSize(UINT, int cx, int cy) {
        m_cx = cx;
        m_cy = cy;
    }
    void OnTimer(UINT_PTR id) {
        m_timers.push_back(id);
        KillTimer(id);
    }
    static constexpr fw::MsgEntry kMessages[] = {
        fw::Msg<WM_APP, &BaseWnd::OnApp>,
        fw::Msg<WM_APP + 1, &BaseWnd::OnApp1>,
        fw::Msg<WM_SIZE, &BaseWnd::OnSize>,
        fw::Msg<WM_TIMER, &BaseWnd::OnTimer>,
    };
};

class DerivedWnd : public BaseWnd {
protected:
    bool ProcessMessageTable(fw::MsgContext& ctx) override {
        return ctx.Run(*this, kMessages) || BaseWnd::ProcessMessageTable(ctx);
    }

private:
    // wParam 0: leave the message to the base class.
    fw::Reply OnApp(WPARAM w, LPARAM) {
        m_log.push_back("derived");
        return w == 0 ? fw::PassOn() : fw::Handled(7);
    }
    LRESULT OnThrow(WPARAM, LPARAM) { throw std::runtime_error("handler failure"); }
    // The default first, then something of its own.
    LRESULT OnGetTextLength(WPARAM, LPARAM) { return Default() + 1000; }
    static constexpr fw::MsgEntry kMessages[] = {
        fw::Msg<WM_APP, &DerivedWnd::OnApp>,
        fw::Msg<WM_APP + 2, &DerivedWnd::OnThrow>,
        fw::Msg<WM_GETTEXTLENGTH, &DerivedWnd::OnGetTextLength>,
    };
};

struct Popup {
    static BOOL Create(CWnd& w, const wchar_t* text = L"abc") {
        return w.CreateEx(0, L"STATIC", text, WS_POPUP | WS_VISIBLE, RECT{20, 20, 220, 120},
                          nullptr, 0);
    }
};

TEST(FwMsgTable, DerivedTableFirstThenBaseThenDefault) {
    DerivedWnd w;
    ASSERT_TRUE(Popup::Create(w));
    EXPECT_EQ(CWnd::FromHandlePermanent(w), &w);

    EXPECT_EQ(w.SendMessage(WM_APP, 1), 7);
    EXPECT_EQ(w.m_log, (std::vector<std::string>{"derived"}));

    w.m_log.clear();
    EXPECT_EQ(w.SendMessage(WM_APP, 0), 100);
    EXPECT_EQ(w.m_log, (std::vector<std::string>{"derived", "base"}));

    w.m_log.clear();
    EXPECT_EQ(w.SendMessage(WM_APP + 1), 1);
    EXPECT_EQ(w.m_log, (std::vector<std::string>{"base1"}));

    // Unknown to both tables: the static control's own procedure answers.
    EXPECT_EQ(w.SendMessage(WM_GETTEXTLENGTH), 3 + 1000);
    CString text;
    w.GetWindowText(text);
    EXPECT_EQ(text, L"abc");
}

TEST(FwMsgTable, TypedArgumentsComeFromTheMessage) {
    BaseWnd w;
    ASSERT_TRUE(Popup::Create(w));
    w.MoveWindow(30, 40, 150, 60);
    EXPECT_EQ(w.m_cx, 150);
    EXPECT_EQ(w.m_cy, 60);
    w.SetTimer(77, 10);
    for (int i = 0; i < 100 && w.m_timers.empty(); ++i) {
        ::Sleep(10);
        fwtest::Pump();
    }
    EXPECT_EQ(w.m_timers, (std::vector<UINT_PTR>{77}));
}

// WM_SETCURSOR and WM_INITDIALOG arrive split into their documented arguments, and the
// handler's BOOL is the message's result.
class CrackedWnd : public CWnd {
public:
    HWND m_hCursorWnd = nullptr, m_hFocus = nullptr;
    UINT m_nHitTest = 0, m_nMouseMsg = 0;
    LPARAM m_lInit = 0;

protected:
    bool ProcessMessageTable(fw::MsgContext& ctx) override {
        return ctx.Run(*this, kMessages) || CWnd::ProcessMessageTable(ctx);
    }

private:
    BOOL OnSetCursor(HWND hWnd, UINT nHitTest, UINT message) {
        m_hCursorWnd = hWnd;
        m_nHitTest = nHitTest;
        m_nMouseMsg = message;
        return nHitTest == HTCLIENT;
    }
    BOOL OnInitDialog(HWND hFocus, LPARAM lInitParam) {
        m_hFocus = hFocus;
        m_lInit = lInitParam;
        return FALSE;
    }
    static constexpr fw::MsgEntry kMessages[] = {
        fw::Msg<WM_SETCURSOR, &CrackedWnd::OnSetCursor>,
        fw::Msg<WM_INITDIALOG, &CrackedWnd::OnInitDialog>,
    };
};

TEST(FwMsgTable, SetCursorAndInitDialogGetTypedArguments) {
    CrackedWnd w;
    ASSERT_TRUE(Popup::Create(w));
    const HWND hSelf = w;
    EXPECT_EQ(w.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(hSelf),
                            MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              TRUE);
    EXPECT_EQ(w.m_hCursorWnd, hSelf);
    EXPECT_EQ(w.m_nHitTest, static_cast<UINT>(HTCLIENT));
    EXPECT_EQ(w.m_nMouseMsg, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(w.SendMessage(WM_SETCURSOR, 0, MAKELPARAM(HTCAPTION, WM_MOUSEMOVE)), FALSE);
    EXPECT_EQ(w.m_nHitTest, static_cast<UINT>(HTCAPTION));
    EXPECT_EQ(w.m_nMouseMsg, static_cast<UINT>(WM_MOUSEMOVE));

    EXPECT_EQ(w.SendMessage(WM_INITDIALOG, reinterpret_cast<WPARAM>(hSelf), 0x12345), FALSE);
    EXPECT_EQ(w.m_hFocus, hSelf);
    EXPECT_EQ(w.m_lInit, 0x12345);
}

TEST(FwMsgTable, HandlerExceptionStopsAtTheWindowProcedure) {
    DerivedWnd w;
    ASSERT_TRUE(Popup::Create(w));
    // The exception does not unwind through user32; the default processing answers.
    EXPECT_EQ(w.SendMessage(WM_APP + 2), 0);
    EXPECT_EQ(w.SendMessage(WM_APP, 1), 7);
}

// A list box whose LB_ADDSTRING handler runs the default itself and then lets the message go
// on: the default must not run a second time.
class AddOnceList : public CWnd {
public:
    bool m_bChangeText = false;

protected:
    bool ProcessMessageTable(fw::MsgContext& ctx) override {
        return ctx.Run(*this, kMessages) || CWnd::ProcessMessageTable(ctx);
    }

private:
    fw::Reply OnAddString(WPARAM, LPARAM) {
        if (m_bChangeText)
            return fw::Handled(
                DefWindowProc(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"changed")));
        Default();
        return fw::PassOn();
    }
    static constexpr fw::MsgEntry kMessages[] = {fw::Msg<LB_ADDSTRING, &AddOnceList::OnAddString>};
};

TEST(FwMsgTable, DefaultRunsOnceAndDefWindowProcTakesChangedArguments) {
    BaseWnd parent;
    ASSERT_TRUE(Popup::Create(parent));
    AddOnceList list;
    ASSERT_TRUE(list.CreateEx(0, L"LISTBOX", nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 100, 80},
                              &parent, 5));
    list.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"one"));
    EXPECT_EQ(list.SendMessage(LB_GETCOUNT), 1);
    list.m_bChangeText = true;
    EXPECT_EQ(list.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"two")), 1);
    wchar_t buf[32] = {};
    list.SendMessage(LB_GETTEXT, 1, reinterpret_cast<LPARAM>(buf));
    EXPECT_STREQ(buf, L"changed");
}

TEST(FwMsgTable, BindingEndsWithTheWindowOrWithTheObject) {
    // The window goes first: the object forgets it on WM_NCDESTROY.
    BaseWnd w;
    ASSERT_TRUE(Popup::Create(w));
    const HWND h = w;
    ::DestroyWindow(h);
    EXPECT_EQ(w.GetSafeHwnd(), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);

    // The object goes first: a window it created goes with it...
    HWND created = nullptr;
    {
        BaseWnd temp;
        ASSERT_TRUE(Popup::Create(temp));
        created = temp;
    }
    EXPECT_FALSE(::IsWindow(created));

    // ... a window it only subclassed stays, unbound, and keeps working.
    const HWND borrowed = ::CreateWindowExW(0, L"STATIC", L"xy", WS_POPUP, 0, 0, 50, 50, nullptr,
                                            nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(borrowed, nullptr);
    {
        DerivedWnd temp;
        ASSERT_TRUE(temp.SubclassWindow(borrowed));
        EXPECT_EQ(::SendMessageW(borrowed, WM_APP, 1, 0), 7);
        // One object per window.
        DerivedWnd second;
        EXPECT_FALSE(second.SubclassWindow(borrowed));
    }
    EXPECT_TRUE(::IsWindow(borrowed));
    EXPECT_EQ(CWnd::FromHandlePermanent(borrowed), nullptr);
    EXPECT_EQ(::SendMessageW(borrowed, WM_APP, 1, 0), 0);
    EXPECT_EQ(::SendMessageW(borrowed, WM_GETTEXTLENGTH, 0, 0), 2);
    ::DestroyWindow(borrowed);
}

}  // namespace
