// CProgDlg: the small always-on-top window near the bottom of the screen that carries a batch
// run's parameters, starts the run and shows its progress in its title and its bar. The user
// cannot close it; the run closes it when it is done.
#pragma once

#include <windows.h>

#include <atomic>
#include <vector>

#include "app/run_options.h"
#include "ops/package_check.h"
#include "fw/arrays.h"
#include "fw/controls.h"
#include "fw/dialog.h"
#include "fw/text.h"

class CProgDlg;
// The most recently constructed progress window, through which the run finds its window;
// null once that window's object is gone.
extern CProgDlg* g_pProgDlg;

class CProgDlg : public CDialog {
public:
    // Owned by the application's main window (pParentWnd only for windows of the tests' own).
    explicit CProgDlg(CWnd* pParentWnd = nullptr);
    ~CProgDlg() override;

    CProgressCtrl m_progress;  // 1000
    int m_bExitWhenDone = 0;   // install run: end the program after a run without failures
    int m_nMode = 0;           // 0: install run, 1: save run
    CStringArray* m_pEntries = nullptr;  // the commands, not owned
    CStringArray m_arrFailed;            // the failure records the run wrote
    CString m_strSaveDir;                // save run: the destination folder
    // Install run: how each command's installer is judged and waited for, by the index of its
    // command in m_pEntries; empty: any end is a success and the wait has no limit.
    std::vector<InstallerPolicy> m_arrPolicies;
    // Install run with m_bExitWhenDone: end the program after the run whatever happened,
    // without the report, with an exit code that says how it went.
    int m_bExitAlways = 0;
    // Whether a found file may be started or copied; null: always. Lives as long as the process.
    const CPackageCheck* m_pPackageCheck = nullptr;

    // Messages the run sends to this window (from its worker thread).
    enum : UINT {
        // lParam: the failure record (const wchar_t*), kept in m_arrFailed.
        WM_RUN_FAILED = WM_APP + 0x41,
        // The run is over: the next WM_CLOSE ends the window.
        WM_RUN_ENDED = WM_APP + 0x42,
    };

    // True from the start of the run until it has ended.
    bool IsRunWorking() const { return m_bRunWorking; }

protected:
    BOOL OnInitDialog() override;
    // Starts the run's worker thread; FALSE when it could not be started.
    virtual BOOL StartWork();
    // Enter, Escape and any IDOK or IDCANCEL command leave the window open.
    void OnOK() override {}
    void OnCancel() override {}
    bool ProcessMessageTable(fw::MsgContext& ctx) override {
        return ctx.Run(*this, kMessages) || CDialog::ProcessMessageTable(ctx);
    }

private:
    void OnClose();
    LRESULT OnRunFailed(WPARAM, LPARAM lParam);
    LRESULT OnRunEnded(WPARAM, LPARAM);

    static constexpr fw::MsgEntry kMessages[] = {
        fw::Msg<WM_CLOSE, &CProgDlg::OnClose>,
        fw::Msg<WM_RUN_FAILED, &CProgDlg::OnRunFailed>,
        fw::Msg<WM_RUN_ENDED, &CProgDlg::OnRunEnded>,
    };

    std::atomic<bool> m_bRunWorking{false};
};
