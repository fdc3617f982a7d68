// CBundorDlg: the two batch commands. They collect the ticked entries' commands and hand them
// to a batch run in its progress window; a save first asks for the folder and a confirmation.
#include <windows.h>
#include <shlobj.h>

#include "ui/batch/msg_dlg.h"
#include "ui/batch/prog_dlg.h"
#include "ui/main/bundor_dlg.h"
#include "ui/main/entry_commands.h"
#include "ui/main/main_texts.h"

using namespace maintext;

void CBundorDlg::CollectTicked(bool bSave, CString* pListText) {
    const std::vector<WString> commands = entrycmd::CollectTicked(
        *m_pConfig, bSave ? entrycmd::Batch::Save : entrycmd::Batch::Install);
    m_arrCommands.RemoveAll();
    for (const WString& command : commands) m_arrCommands.Add(CString(command));
    if (pListText) *pListText = CString(entrycmd::ListText(commands));
}

void CBundorDlg::OnInstall() {
    const CCommandScope scope(*this);
    if (scope) RunInstall(false);
}

void CBundorDlg::InstallAtCountdownEnd() {
    const CCommandScope scope(*this, false);
    if (scope) RunInstall(true);
}

void CBundorDlg::RunInstall(bool bCountdownRun) {
    CollectTicked(false, nullptr);
    if (m_arrCommands.IsEmpty()) {
        MessageBox(kNothingTicked, kInstallCaption, MB_ICONINFORMATION);
        return;
    }
    ShowWindow(SW_HIDE);
    {
        CProgDlg dlg(this);
        // A run that the countdown started ends the program when nothing failed, or always,
        // with an exit code, when the catalogue asks for it.
        dlg.m_bExitWhenDone = bCountdownRun && m_pConfig->bCountdown;
        dlg.m_bExitAlways = m_pConfig->bExitAfterCountdown;
        dlg.m_nMode = 0;
        dlg.m_pEntries = &m_arrCommands;
        dlg.m_arrPolicies = entrycmd::CollectTickedPolicies(*m_pConfig);
        dlg.m_pPackageCheck = m_pPackageCheck;
        dlg.DoModal();
    }
    ShowWindow(SW_SHOW);
}

void CBundorDlg::OnSavePackages() {
    const CCommandScope scope(*this);
    if (!scope) return;
    CString strList;
    CollectTicked(true, &strList);
    if (m_arrCommands.IsEmpty()) {
        MessageBox(kNothingTicked, kSaveCaption, MB_ICONINFORMATION);
        return;
    }
    // The folder picked serves this run only: with an empty SavePath every save asks again.
    CString strFolder(m_pConfig->strSavePath);
    while (strFolder.IsEmpty()) {
        if (!BrowseForFolder(kChooseSaveFolder, strFolder)) return;
        if (strFolder.IsEmpty() &&
            MessageBox(kEmptySaveFolder, kSaveCaption, MB_YESNO | MB_ICONQUESTION) == IDNO)
            return;
    }
    // Only a confirmation starts the run (a window that could not be shown is none).
    if (ShowMsgDlg(kConfirmSave, strList, L"") != IDOK) return;
    ShowWindow(SW_HIDE);
    {
        CProgDlg dlg(this);
        dlg.m_nMode = 1;
        dlg.m_pEntries = &m_arrCommands;
        dlg.m_strSaveDir = strFolder;
        dlg.m_pPackageCheck = m_pPackageCheck;
        dlg.DoModal();
    }
    ShowWindow(SW_SHOW);
}

int CBundorDlg::BrowseForFolder(const wchar_t* pszPrompt, CString& strFolder) {
    wchar_t szDisplay[MAX_PATH] = {};
    BROWSEINFOW bi{};
    bi.hwndOwner = GetSafeHwnd();
    bi.pszDisplayName = szDisplay;
    bi.lpszTitle = pszPrompt;
    bi.ulFlags = BIF_NEWDIALOGSTYLE | BIF_EDITBOX;
    PIDLIST_ABSOLUTE pidl = ::SHBrowseForFolderW(&bi);
    if (!pidl) {
        strFolder.Empty();
        return 0;
    }
    // An item without a file-system path (the computer, say) leaves the buffer empty.
    wchar_t szPath[MAX_PATH] = {};
    if (!::SHGetPathFromIDListW(pidl, szPath)) szPath[0] = L'\0';
    ::CoTaskMemFree(pidl);
    strFolder = szPath;
    return 1;
}
