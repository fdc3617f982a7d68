// CBundorDlg: the three action links of an entry row. They act on that one entry at once:
// start its installer without waiting, or copy its package to a file the user picks.
#include <windows.h>
#include <commdlg.h>

#include <chrono>

#include "ops/package_check_texts.h"
#include "ops/run_log.h"
#include "ops/shell.h"
#include "ui/main/bundor_dlg.h"
#include "ui/main/entry_commands.h"
#include "ui/main/main_texts.h"

namespace {

enum Action { kManual = 1, kAuto = 2, kSave = 3 };

using namespace maintext;

// A row link's line in the run log, when there is one: the time counts from the start of the
// action (or, for a save, from the copy: the save-as dialog waits for a person).
class ActionLog {
public:
    ActionLog(RunLogKind kind, const WString& command, const CShell& shell)
        : m_kind(kind), m_command(command), m_shell(shell), m_began(Clock::now()) {}
    void Restart() { m_began = Clock::now(); }
    void Write(const WChar* outcome) const {
        IRunLog* pLog = ProcessRunLog();
        if (!pLog) return;
        RunLogRecord record;
        record.kind = m_kind;
        record.command = m_command;
        WString unusedParams;
        record.file = m_shell.GetCommand(unusedParams);
        record.outcome = outcome;
        record.seconds = std::chrono::duration<double>(Clock::now() - m_began).count();
        pLog->Write(record);
    }

private:
    using Clock = std::chrono::steady_clock;
    RunLogKind m_kind;
    WString m_command;
    const CShell& m_shell;
    Clock::time_point m_began;
};

}  // namespace

void CBundorDlg::RunEntryAction(const NMITEMACTIVATE* pNM) {
    const int nAction = m_panes.List(m_nCurList).GetHotLink();
    if (nAction < kManual || nAction > kSave) return;
    const EntryInfo* pEntry = m_panes.Entry(m_nCurList, pNM->iItem);
    if (!pEntry) return;  // header rows carry no links

    const CCommandScope scope(*this);
    if (!scope) return;

    const CString strCommand(nAction == kAuto ? pEntry->strAutoInstall : pEntry->strManualInstall);
    CShell shell;
    const bool bFound = shell.SetCommand(strCommand.Str(), WString()) != 0;
    ActionLog log(nAction == kSave ? RunLogKind::LinkSave : RunLogKind::LinkInstall,
                  strCommand.Str(), shell);
    const wchar_t* pszCaption = nAction == kSave   ? kSaveCaption
                                : nAction == kAuto ? kAutoInstallCaption
                                                   : kManualInstallCaption;
    // A package that the catalogue's hashes do not vouch for is neither started nor copied;
    // a save learns it before it asks where to save.
    if (bFound && m_pPackageCheck && m_pPackageCheck->IsActive()) {
        WString unusedParams;
        const PackageCheckOutcome verdict =
            m_pPackageCheck->Check(shell.GetCommand(unusedParams), shell.m_bOnCdromDrive != 0);
        const WString word = RunLogWord(verdict);
        if (!word.empty()) log.Write(word.c_str());
        if (IsRefused(verdict)) {
            MessageBox(CString(RefusalMessage(verdict, strCommand.Str())), pszCaption,
                       MB_ICONEXCLAMATION);
            return;
        }
        log.Restart();
    }
    if (nAction != kSave) {
        if (!bFound) {
            log.Write(runlog::kNotFound);
            MessageBox(kNotFound + strCommand, pszCaption, MB_ICONEXCLAMATION);
        } else if (!shell.Execute(0)) {
            log.Write(runlog::kNotStarted);
            MessageBox(kNotStarted + strCommand, pszCaption, MB_ICONEXCLAMATION);
        } else {
            log.Write(runlog::kStarted);
        }
        // A started installer runs on its own; the shell object closes its handle.
        return;
    }

    if (!bFound) {
        log.Write(runlog::kNotFound);
        MessageBox(kNotFound + strCommand, kSaveCaption, MB_ICONEXCLAMATION);
        return;
    }
    const CString strInitial(
        entrycmd::InitialSavePath(m_pConfig->strSavePath, strCommand.Str(), MAX_PATH));
    CString strChosen;
    if (!BrowseSaveFile(strInitial, strChosen)) return;
    // The save-as dialog has asked before an existing file is replaced.
    log.Restart();
    if (shell.CopyTo(strChosen.Str(), 0)) {
        log.Write(runlog::kCopied);
        MessageBox(kSaved + strChosen, kSaveCaption, MB_ICONINFORMATION);
    } else {
        log.Write(runlog::kCopyFailed);
        MessageBox(kSaveFailed + strCommand + kSaveFailedTarget + strChosen, kSaveCaption,
                   MB_ICONEXCLAMATION);
    }
}

int CBundorDlg::BrowseSaveFile(const CString& strInitial, CString& strChosen) {
    wchar_t szFile[MAX_PATH] = {};
    // InitialSavePath keeps the text within the buffer.
    lstrcpynW(szFile, strInitial, MAX_PATH);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetSafeHwnd();
    ofn.lpstrFilter = kAllFilesFilter;
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = MAX_PATH;
    // The process's current folder stays where it is: commands without a folder are found
    // from it, and a dialog that moved it would lose them.
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
    if (!::GetSaveFileNameW(&ofn)) return 0;
    strChosen = szFile;
    return 1;
}
