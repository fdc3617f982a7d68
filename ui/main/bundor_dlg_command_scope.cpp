// CBundorDlg: one command at a time. A modal command (a run, a save, a row link's message or
// save-as dialog, a menu, the about window, the folder picker) runs a message loop of its
// own, in which the window could otherwise be given a second command: an access key, a
// click sent by an accessibility tool, or the countdown reaching zero would start a run
// inside a run.
#include <windows.h>

#include "ui/main/bundor_dlg.h"

CBundorDlg::CCommandScope::CCommandScope(CBundorDlg& dlg, bool bStopCountdown)
    : m_dlg(dlg), m_bOwner(!dlg.m_bCommandActive) {
    if (!m_bOwner) return;
    if (bStopCountdown && dlg.m_pConfig->bCountdown) dlg.StopCountdown();
    dlg.m_bCommandActive = true;
}

CBundorDlg::CCommandScope::~CCommandScope() {
    if (m_bOwner) m_dlg.m_bCommandActive = false;
}

BOOL CBundorDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    // A button's click, a menu item or an accelerator; a control's other notifications (focus
    // and the like) are no command.
    const UINT nCode = HIWORD(wParam);
    if (nCode == BN_CLICKED || nCode == 1) {
        if (m_bCommandActive) return TRUE;  // taken, and dropped
        // However the command came (a click, a key, a message from another program), a
        // person is there: the countdown would otherwise start an install under their hands.
        if (m_pConfig && m_pConfig->bCountdown) StopCountdown();
    }
    return CDialog::OnCommand(wParam, lParam);
}
