// CBundorDlg: the three action links of an entry row. They act on that one entry at once:
// start its installer without waiting, or copy its package to a file the user picks.
#include <windows.h>
#include <commdlg.h>

#include "ops/shell.h"
#include "ui/main/bundor_dlg.h"
#include "ui/main/entry_commands.h"

namespace {

enum Action { kManual = 1, kAuto = 2, kSave = 3 };

constexpr const wchar_t* kNotFound = L"文件没找到, 请检查安装文件路径!\n\n文件原始路径: ";
constexpr const wchar_t* kNotStarted = L"文件运行失败, 请检查安装文件路径!\n\n文件原始路径: ";
constexpr const wchar_t* kSaveFailed = L"文件保存失败, 请检查安装文件路径!\n\n文件原始路径: ";
constexpr const wchar_t* kSaved = L"安装文件保存完毕!\n\n文件保存路径: ";
constexpr const wchar_t* kSaveCaption = L"保存安装包";

}  // namespace

void CBundorDlg::RunEntryAction(const NMITEMACTIVATE* pNM) {
    const CListEx& shown = m_pEntryLists[m_nCurList];
    const int nAction = shown.GetHotLink();
    if (nAction < kManual || nAction > kSave) return;
    int nRow = pNM->iItem;
    const int nList = m_nCurList == 0 ? AllIndexToCategory(nRow) : m_nCurList;
    const EntryInfo* pEntry = Entry(nList, nRow);
    if (!pEntry) return;  // header rows carry no links

    const CString strCommand(nAction == kAuto ? pEntry->strAutoInstall : pEntry->strManualInstall);
    CShell shell;
    if (nAction != kSave) {
        const wchar_t* pszCaption = nAction == kAuto ? L"自动安装" : L"手动安装";
        if (!shell.SetCommand(strCommand.Str(), WString()))
            MessageBox(kNotFound + strCommand, pszCaption, MB_ICONEXCLAMATION);
        else if (!shell.Execute(0))
            MessageBox(kNotStarted + strCommand, pszCaption, MB_ICONEXCLAMATION);
        // A started installer runs on its own; the shell object closes its handle.
        return;
    }

    if (!shell.SetCommand(strCommand.Str(), WString())) {
        MessageBox(kNotFound + strCommand, kSaveCaption, MB_ICONEXCLAMATION);
        return;
    }
    const CString strInitial(
        entrycmd::InitialSavePath(m_pConfig->strSavePath, strCommand.Str(), MAX_PATH));
    CString strChosen;
    if (!BrowseSaveFile(strInitial, strChosen)) return;
    // The save-as dialog has asked before an existing file is replaced.
    if (shell.CopyTo(strChosen.Str(), 0))
        MessageBox(kSaved + strChosen, kSaveCaption, MB_ICONINFORMATION);
    else
        MessageBox(kSaveFailed + strCommand + L"\n文件保存路径: " + strChosen, kSaveCaption,
                   MB_ICONEXCLAMATION);
}

int CBundorDlg::BrowseSaveFile(const CString& strInitial, CString& strChosen) {
    wchar_t szFile[MAX_PATH] = {};
    // InitialSavePath keeps the text within the buffer.
    lstrcpynW(szFile, strInitial, MAX_PATH);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetSafeHwnd();
    ofn.lpstrFilter = L"所有文件(*.*)\0*.*\0";
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    if (!::GetSaveFileNameW(&ofn)) return 0;
    strChosen = szFile;
    return 1;
}
