// CBundorDlg: the select-all box, the previous and next category buttons, the install-options
// and help menus and the install mode.
#include <windows.h>
#include <commctrl.h>

#include "res/resource.h"
#include "ui/main/bundor_dlg.h"

void CBundorDlg::OnSelectAll() {
    // The box has flipped its own tick already.
    m_panes.SetAllTicks(m_nCurList, m_btnSelectAll.IsChecked() != 0);
}

void CBundorDlg::OnPrevCategory() {
    const int s = m_listCategory.GetNextItem(-1, LVNI_SELECTED);
    if (s <= 0) return;
    SelectCategoryRow(s - 1);
    m_listCategory.EnsureVisible(s - 1, TRUE);
}

void CBundorDlg::OnNextCategory() {
    const int s = m_listCategory.GetNextItem(-1, LVNI_SELECTED);
    if (s >= m_listCategory.GetItemCount() - 1) return;
    SelectCategoryRow(s + 1);
    m_listCategory.EnsureVisible(s + 1, TRUE);
}

void CBundorDlg::OnInstallOptions() {
    const CCommandScope scope(*this);
    if (scope) ShowPopupMenu(IDR_MENU_OPTIONS, m_btnOptions, true);
}

void CBundorDlg::OnHelpMenu() {
    const CCommandScope scope(*this);
    if (scope) ShowPopupMenu(IDR_MENU_HELP, m_btnHelp, false);
}

// The menu's first popup under the button's bottom left corner; the chosen item comes back as a
// WM_COMMAND.
void CBundorDlg::ShowPopupMenu(UINT nMenu, const CWnd& button, bool bModeChecks) {
    const HMENU hMenu = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nMenu));
    if (!hMenu) return;
    if (const HMENU hPopup = ::GetSubMenu(hMenu, 0)) {
        if (bModeChecks) {
            const UINT nChecked = m_pConfig->nDefault ? ID_OPTION_AUTO : ID_OPTION_MANUAL;
            ::CheckMenuItem(hPopup, nChecked, MF_BYCOMMAND | MF_CHECKED);
        }
        RECT rc{};
        button.GetWindowRect(&rc);
        ::TrackPopupMenu(hPopup, 0, rc.left, rc.bottom, 0, GetSafeHwnd(), nullptr);
    }
    ::DestroyMenu(hMenu);
}

void CBundorDlg::OnModeAuto() {
    SetInstallMode(1);
}

void CBundorDlg::OnModeManual() {
    SetInstallMode(0);
}

void CBundorDlg::SetInstallMode(int nDefault) {
    m_pConfig->nDefault = nDefault;
    ShowInstallMode();
    m_btnInstall.Invalidate(TRUE);
}
