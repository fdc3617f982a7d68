#include "ui/batch/run_threads.h"

#include <commctrl.h>
#include <objbase.h>

#include <memory>
#include <new>
#include <vector>

#include "fw/thread.h"
#include "ops/run_log.h"
#include "ops/shell.h"
#include "ui/batch/msg_dlg.h"
#include "ui/batch/prog_dlg.h"
#include "ui/batch/run_sequence.h"

namespace {

// How long an ending program waits for its run log's last lines.
constexpr unsigned kLogFlushMs = 3000;

// Everything a run reads, copied from its window before the thread starts.
struct RunStart {
    std::vector<WString> commands;
    std::vector<InstallerPolicy> policies;
    batch::RunParams params;
    HWND hDlg = nullptr;
    HWND hBar = nullptr;
};

// The run's side of its windows. It holds only window handles and reaches the progress
// window's object only through messages its thread handles, so a window that went early is
// never touched: messages to a destroyed window do nothing.
class WindowLink : public batch::IRunWindow {
public:
    WindowLink(HWND hDlg, HWND hBar) : m_hDlg(hDlg), m_hBar(hBar), m_hOwner(::GetParent(hDlg)) {}

    void StartBar(int total) override {
        ::SendMessageW(m_hBar, PBM_SETRANGE32, 0, total);
        ::SendMessageW(m_hBar, PBM_SETPOS, 0, 0);
    }
    void SetTitle(const WString& text) override { ::SetWindowTextW(m_hDlg, text.c_str()); }
    void StepBar() override { ::SendMessageW(m_hBar, PBM_DELTAPOS, 1, 0); }
    void AddFailure(const WString& record) override {
        ::SendMessageW(m_hDlg, CProgDlg::WM_RUN_FAILED, 0,
                       reinterpret_cast<LPARAM>(record.c_str()));
    }
    void ShowDone(const WString& text, const WString& caption) override {
        ::MessageBoxW(m_hOwner, text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
    }
    void ShowReport(const WString& caption, const WString& body, const WString& footer) override {
        CWnd owner;
        if (m_hOwner) owner.Attach(m_hOwner);
        CMsgDlg dlg(caption.c_str(), body.c_str(), footer.c_str(), m_hOwner ? &owner : nullptr);
        dlg.DoModal();
        owner.Detach();
    }
    void EndProgram(uint32_t exitCode) override {
        FlushRunLog(kLogFlushMs);
        ::SendMessageW(m_hOwner, WM_CLOSE, 0, 0);
        ::PostQuitMessage(0);
        ::ExitProcess(exitCode);
    }
    void Close() override {
        ::SendMessageW(m_hDlg, CProgDlg::WM_RUN_ENDED, 0, 0);
        ::SendMessageW(m_hDlg, WM_CLOSE, 0, 0);
    }

private:
    HWND m_hDlg;
    HWND m_hBar;
    HWND m_hOwner;
};

// COM for the shell's sake: ShellExecuteExW may hand a file to a shell extension, which
// wants an apartment-threaded caller.
class ComApartment {
public:
    ComApartment()
        : m_bInitialised(SUCCEEDED(
              ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (m_bInitialised) ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool m_bInitialised;
};

UINT RunThread(LPVOID pParam) {
    const std::unique_ptr<RunStart> start(static_cast<RunStart*>(pParam));
    if (!start) return 0;
    const ComApartment com;
    WindowLink window(start->hDlg, start->hBar);
    CShell shell;
    batch::RunBatch(start->params, shell, window);
    return 0;
}

}  // namespace

BOOL StartRun(const CProgDlg& dlg) {
    auto start = std::unique_ptr<RunStart>(new (std::nothrow) RunStart);
    if (!start) return FALSE;
    try {
        if (dlg.m_pEntries)
            for (const CString& command : *dlg.m_pEntries)
                start->commands.emplace_back(command.GetString());
        start->policies = dlg.m_arrPolicies;
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    batch::RunParams& params = start->params;
    params.kind = dlg.m_nMode == 1 ? batch::RunKind::Save : batch::RunKind::Install;
    params.commands = &start->commands;
    params.policies = &start->policies;
    params.exitWhenDone = dlg.m_bExitWhenDone != 0;
    params.exitAlways = dlg.m_bExitAlways != 0;
    params.saveDir = dlg.m_strSaveDir.GetString();
    params.log = ProcessRunLog();
    params.check = dlg.m_pPackageCheck;
    start->hDlg = dlg.GetSafeHwnd();
    start->hBar = dlg.m_progress.GetSafeHwnd();

    const fw::ThreadProc proc = dlg.m_nMode == 1 ? SaveThreadProc : InstallThreadProc;
    if (!fw::BeginThread(proc, start.get())) return FALSE;
    start.release();  // the thread's now
    return TRUE;
}

UINT InstallThreadProc(LPVOID pParam) {
    return RunThread(pParam);
}

UINT SaveThreadProc(LPVOID pParam) {
    return RunThread(pParam);
}
