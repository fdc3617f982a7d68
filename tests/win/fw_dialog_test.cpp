// The modal dialog: its results, its loop's pre-translation, its owner, its first messages.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "fw/app.h"
#include "fw/controls.h"
#include "fw/dialog.h"
#include "tests/win/fw_test_support.h"

namespace {

using fwtest::DialogTemplate;

constexpr WORD kEditId = 1001;

const DialogTemplate& OkCancelTemplate() {
    static const DialogTemplate t(
        fwtest::kDialogStyle, 200, 100, L"测试",
        {
            {0x0081, WS_VISIBLE | WS_TABSTOP | WS_BORDER, 7, 7, 120, 14, kEditId, L""},
            {0x0080, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 90, 80, 50, 14, IDOK, L"确定"},
            {0x0080, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 145, 80, 50, 14, IDCANCEL, L"取消"},
        });
    return t;
}

// A dialog that performs one scripted action a moment after it opens, and ends itself with
// -2 after a few seconds if the action did not end it.
class ScriptedDlg : public fwtest::ActingDlg {
public:
    enum class Action { ClickOk, PressEscape, PressEnter, End7, Close };
    explicit ScriptedDlg(Action action, CWnd* pParent = nullptr, UINT nSafetyMs = 5000)
        : ActingDlg(OkCancelTemplate().Get(), pParent, nSafetyMs), m_action(action) {}

    bool m_bOwnerWasDisabled = false;
    HWND m_hOwnerSeen = nullptr;

protected:
    BOOL OnInitDialog() override {
        m_hOwnerSeen = ::GetWindow(GetSafeHwnd(), GW_OWNER);
        return ActingDlg::OnInitDialog();
    }
    void OnAction() override {
        if (m_hOwnerSeen) m_bOwnerWasDisabled = !::IsWindowEnabled(m_hOwnerSeen);
        const HWND hEdit = GetDlgItem(kEditId);
        switch (m_action) {
            case Action::ClickOk:
                ::PostMessageW(GetDlgItem(IDOK), BM_CLICK, 0, 0);
                break;
            case Action::PressEscape:
                ::PostMessageW(hEdit, WM_KEYDOWN, VK_ESCAPE, 0);
                break;
            case Action::PressEnter:
                ::PostMessageW(hEdit, WM_KEYDOWN, VK_RETURN, 0);
                break;
            case Action::End7:
                EndDialog(7);
                break;
            case Action::Close:
                PostMessage(WM_CLOSE);
                break;
        }
    }

private:
    Action m_action;
};

TEST(FwDialog, DoModalReturnsHowTheDialogEnded) {
    using A = ScriptedDlg::Action;
    EXPECT_EQ(ScriptedDlg(A::ClickOk).DoModal(), IDOK);
    EXPECT_EQ(ScriptedDlg(A::PressEnter).DoModal(), IDOK);
    EXPECT_EQ(ScriptedDlg(A::PressEscape).DoModal(), IDCANCEL);
    EXPECT_EQ(ScriptedDlg(A::Close).DoModal(), IDCANCEL);
    EXPECT_EQ(ScriptedDlg(A::End7).DoModal(), 7);
    // The object can show its dialog again once the first one has gone.
    ScriptedDlg again(A::End7);
    EXPECT_EQ(again.DoModal(), 7);
    EXPECT_EQ(again.GetSafeHwnd(), nullptr);
    EXPECT_EQ(again.DoModal(), 7);
}

TEST(FwDialog, DoModalFailsWithoutTemplate) {
    CDialog missing(9999);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_EQ(missing.GetSafeHwnd(), nullptr);
}

// OK and Cancel that do nothing, as in a window that only its close command ends.
class StubbornDlg : public ScriptedDlg {
public:
    using ScriptedDlg::ScriptedDlg;
    int m_nOk = 0, m_nCancel = 0;

protected:
    void OnOK() override { ++m_nOk; }
    void OnCancel() override {
        if (++m_nCancel == 2) EndDialog(5);
    }
};

TEST(FwDialog, OverriddenOkAndCancelKeepTheDialogOpen) {
    StubbornDlg enter(ScriptedDlg::Action::PressEnter, nullptr, 600);
    // Enter reaches OnOK, which does nothing; the safety timer ends the dialog with -2.
    EXPECT_EQ(enter.DoModal(), -2);
    EXPECT_EQ(enter.m_nOk, 1);
    EXPECT_EQ(enter.m_nCancel, 0);
}

TEST(FwDialog, OwnerIsDisabledWhileModalAndEnabledAfter) {
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE,
                               RECT{10, 10, 200, 100}, nullptr, 0));
    ScriptedDlg dlg(ScriptedDlg::Action::End7, &owner);
    EXPECT_EQ(dlg.DoModal(), 7);
    EXPECT_EQ(dlg.m_hOwnerSeen, owner.GetSafeHwnd());
    EXPECT_TRUE(dlg.m_bOwnerWasDisabled);
    EXPECT_TRUE(::IsWindowEnabled(owner));

    // Without a parent, the application's main window owns the dialog.
    CWinApp app;
    ASSERT_EQ(CWinApp::GetApp(), &app);
    app.m_pMainWnd = &owner;
    ScriptedDlg viaApp(ScriptedDlg::Action::End7);
    EXPECT_EQ(viaApp.DoModal(), 7);
    EXPECT_EQ(viaApp.m_hOwnerSeen, owner.GetSafeHwnd());
    EXPECT_TRUE(viaApp.m_bOwnerWasDisabled);
    EXPECT_TRUE(::IsWindowEnabled(owner));
}

// Records which messages reach it before and at WM_INITDIALOG.
class FirstMessagesDlg : public CDialog {
public:
    FirstMessagesDlg() : CDialog(OkCancelTemplate().Get()) {}
    std::vector<UINT> m_seen;
    bool m_bBoundAtInit = false;

protected:
    BOOL OnInitDialog() override {
        m_seen.push_back(WM_INITDIALOG);
        m_bBoundAtInit = CWnd::FromHandlePermanent(GetSafeHwnd()) == this;
        EndDialog(IDOK);
        return TRUE;
    }
    bool ProcessMessageTable(fw::MsgContext& ctx) override {
        return ctx.Run(*this, kMessages) || CDialog::ProcessMessageTable(ctx);
    }

private:
    fw::Reply Record(UINT message) {
        m_seen.push_back(message);
        return fw::PassOn();
    }
    fw::Reply OnNcCreate(WPARAM, LPARAM) { return Record(WM_NCCREATE); }
    fw::Reply OnCreate(WPARAM, LPARAM) { return Record(WM_CREATE); }
    fw::Reply OnSetFont(HFONT, BOOL) { return Record(WM_SETFONT); }
    static constexpr fw::MsgEntry kMessages[] = {
        fw::Msg<WM_NCCREATE, &FirstMessagesDlg::OnNcCreate>,
        fw::Msg<WM_CREATE, &FirstMessagesDlg::OnCreate>,
        fw::Msg<WM_SETFONT, &FirstMessagesDlg::OnSetFont>,
    };
};

TEST(FwDialog, MessagesBeforeInitDialogReachTheObject) {
    FirstMessagesDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(dlg.m_bBoundAtInit);
    const std::vector<UINT> expected{WM_NCCREATE, WM_CREATE, WM_SETFONT, WM_INITDIALOG};
    EXPECT_EQ(dlg.m_seen, expected);
}

// Sees what the modal loop pre-translates, in the dialog and in a control bound to it.
class PreTranslateEdit : public CEdit {
public:
    std::vector<UINT>* m_pLog = nullptr;
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message == WM_KEYDOWN) m_pLog->push_back(1);
        return FALSE;
    }
};

class KeyWatchDlg : public fwtest::ActingDlg {
public:
    KeyWatchDlg() : ActingDlg(OkCancelTemplate().Get()) { m_edit.m_pLog = &m_log; }
    std::vector<UINT> m_log;  // 1: the edit saw a key press, 2: the dialog saw one
    HWND m_hKeyTarget = nullptr;
    WPARAM m_key = 0;
    HWND m_hEdit = nullptr;

protected:
    BOOL OnInitDialog() override {
        m_edit.SubclassDlgItem(kEditId, this);
        m_hEdit = m_edit.GetSafeHwnd();
        return ActingDlg::OnInitDialog();
    }
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message == WM_KEYDOWN) {
            m_log.push_back(2);
            m_hKeyTarget = pMsg->hwnd;
            m_key = pMsg->wParam;
            // Swallowing the key: the dialog manager must not turn it into IDCANCEL.
            if (pMsg->wParam == VK_ESCAPE) {
                EndDialog(11);
                return TRUE;
            }
        }
        return FALSE;
    }
    void OnAction() override { ::PostMessageW(m_hEdit, WM_KEYDOWN, VK_ESCAPE, 0); }

private:
    PreTranslateEdit m_edit;
};

TEST(FwDialog, PreTranslateMessageSeesKeysSentToAChild) {
    KeyWatchDlg dlg;
    EXPECT_EQ(dlg.DoModal(), 11);
    ASSERT_NE(dlg.m_hEdit, nullptr);
    EXPECT_EQ(dlg.m_hKeyTarget, dlg.m_hEdit);
    EXPECT_EQ(dlg.m_key, static_cast<WPARAM>(VK_ESCAPE));
    // The control first, then the dialog.
    EXPECT_EQ(dlg.m_log, (std::vector<UINT>{1, 2}));
}

// Ended by a message that another thread sends, as a worker closes its progress window. No
// control blinks a caret, so nothing else is posted to wake the loop.
const DialogTemplate& EmptyTemplate() {
    static const DialogTemplate t(fwtest::kDialogStyle, 100, 40, L"", {});
    return t;
}

class RemoteEndDlg : public CDialog {
public:
    RemoteEndDlg() : CDialog(EmptyTemplate().Get()) {}
    std::atomic<HWND> m_hWndShown{nullptr};

protected:
    BOOL OnInitDialog() override {
        SetTimer(1, 5000);  // ends it with -2 if the message never comes
        m_hWndShown = GetSafeHwnd();
        return TRUE;
    }
    bool ProcessMessageTable(fw::MsgContext& ctx) override {
        return ctx.Run(*this, kMessages) || CDialog::ProcessMessageTable(ctx);
    }

private:
    LRESULT OnApp(WPARAM w, LPARAM) {
        EndDialog(static_cast<int>(w));
        return 1;
    }
    void OnTimer(UINT_PTR) { EndDialog(-2); }
    static constexpr fw::MsgEntry kMessages[] = {
        fw::Msg<WM_APP, &RemoteEndDlg::OnApp>,
        fw::Msg<WM_TIMER, &RemoteEndDlg::OnTimer>,
    };
};

TEST(FwDialog, EndDialogFromAMessageSentByAnotherThreadEndsTheLoopAtOnce) {
    RemoteEndDlg dlg;
    std::atomic<LRESULT> sent{0};
    std::thread worker([&] {
        while (!dlg.m_hWndShown) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        // Let the dialog paint and go idle in GetMessageW first.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sent = ::SendMessageW(dlg.m_hWndShown, WM_APP, 42, 0);
    });
    const auto start = std::chrono::steady_clock::now();
    const INT_PTR result = dlg.DoModal();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    worker.join();
    EXPECT_EQ(result, 42);
    EXPECT_EQ(sent, 1);
    EXPECT_LT(elapsed, std::chrono::milliseconds(2000));
}

// Shown from a worker thread and owned by a window of the user-interface thread, as a run's
// report is owned by the hidden main window.
TEST(FwDialog, ModalDialogOnAWorkerThreadOwnedByAWindowOfAnotherThread) {
    CWnd mainWnd;
    ASSERT_TRUE(
        mainWnd.CreateEx(0, L"STATIC", L"main", WS_POPUP, RECT{0, 0, 300, 200}, nullptr, 0));
    std::atomic<INT_PTR> result{0};
    std::atomic<bool> ownerDisabled{false}, done{false};
    HWND ownerSeen = nullptr;
    std::thread worker([&] {
        ScriptedDlg report(ScriptedDlg::Action::ClickOk, &mainWnd);
        result = report.DoModal();
        ownerDisabled = report.m_bOwnerWasDisabled;
        ownerSeen = report.m_hOwnerSeen;
        done = true;
    });
    // The user-interface thread keeps serving its windows meanwhile.
    while (!done) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        fwtest::Pump();
    }
    worker.join();
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(ownerSeen, mainWnd.GetSafeHwnd());
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(::IsWindowEnabled(mainWnd));
}

TEST(FwDialog, CenterWindowOverOwnerOrWorkArea) {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    ::GetMonitorInfoW(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
    const RECT work = mi.rcWork;
    auto centre = [](const RECT& r) {
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    };

    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, RECT{100, 100, 500, 400},
                               nullptr, 0));
    CWnd popup;
    ASSERT_TRUE(popup.CreateEx(0, L"STATIC", L"", WS_POPUP, RECT{0, 0, 100, 60}, &owner, 0));
    RECT rc{};
    popup.CenterWindow();
    popup.GetWindowRect(&rc);
    EXPECT_EQ(rc.left, 250);
    EXPECT_EQ(rc.top, 220);
    EXPECT_EQ(rc.right - rc.left, 100);

    // A hidden owner (the main window during a run): the work area.
    owner.ShowWindow(SW_HIDE);
    popup.CenterWindow();
    popup.GetWindowRect(&rc);
    EXPECT_EQ(centre(rc).x, centre(work).x);
    EXPECT_EQ(centre(rc).y, centre(work).y);

    // The desktop as the alternate owner: the screen, even with a visible owner.
    owner.ShowWindow(SW_SHOW);
    popup.CenterWindow(::GetDesktopWindow());
    popup.GetWindowRect(&rc);
    EXPECT_EQ(centre(rc).x, centre(work).x);
    EXPECT_EQ(centre(rc).y, centre(work).y);

    // Near the edge the window is kept inside the work area.
    owner.MoveWindow(work.right - 50, work.bottom - 40, 40, 30);
    popup.CenterWindow();
    popup.GetWindowRect(&rc);
    EXPECT_EQ(rc.right, work.right);
    EXPECT_EQ(rc.bottom, work.bottom);
}

}  // namespace
