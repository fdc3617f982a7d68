#include "ui/batch/run_threads.h"

#include <commctrl.h>

#include <vector>

#include "ops/shell.h"
#include "ui/batch/msg_dlg.h"
#include "ui/batch/prog_dlg.h"
#include "ui/batch/run_sequence.h"

namespace {

// The run's side of its windows. After the start it holds only window handles and reaches
// the progress window's object only through messages its thread handles, so a window that
// went early is never touched: messages to a destroyed window do nothing.
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
    void ShowReport(const WString& caption, const WString& body,
                    const WString& footer) override {
        CWnd owner;
        if (m_hOwner) owner.Attach(m_hOwner);
        CMsgDlg dlg(caption.c_str(), body.c_str(), footer.c_str(), m_hOwner ? &owner : nullptr);
        dlg.DoModal();
        owner.Detach();
    }
    void EndProgram() override {
        ::SendMessageW(m_hOwner, WM_CLOSE, 0, 0);
        ::PostQuitMessage(0);
        ::ExitProcess(0);
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

UINT RunThread(batch::RunKind kind) {
    CProgDlg* pDlg = g_pProgDlg;
    if (!pDlg || !pDlg->GetSafeHwnd()) return 0;

    // The parameters were written before the window was shown and do not change: one copy.
    batch::RunParams params;
    params.kind = kind;
    std::vector<WString> commands;
    if (pDlg->m_pEntries)
        for (const CString& command : *pDlg->m_pEntries) commands.emplace_back(command.GetString());
    params.commands = &commands;
    params.exitWhenDone = pDlg->m_bExitWhenDone != 0;
    params.saveDir = pDlg->m_strSaveDir.GetString();
    WindowLink window(pDlg->GetSafeHwnd(), pDlg->m_progress.GetSafeHwnd());

    CShell shell;
    batch::RunBatch(params, shell, window);
    return 0;
}

}  // namespace

UINT InstallThreadProc(LPVOID) {
    return RunThread(batch::RunKind::Install);
}

UINT SaveThreadProc(LPVOID) {
    return RunThread(batch::RunKind::Save);
}
