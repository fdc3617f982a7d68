// CBundorDlg: the start-up countdown. It installs the ticked entries by itself when it reaches
// zero, unless a key press or a left click in the window stops it first.
#include <windows.h>

#include "ui/main/bundor_dlg.h"

fw::Reply CBundorDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kIconTimer) {
        AddReadIcons();
        return fw::Handled();
    }
    if (nIDEvent == kCountdownTimer) {
        // A tick that was on its way when a command began, or when the countdown stopped.
        if (m_bCommandActive || !m_pConfig->bCountdown) return fw::Handled();
        if (--m_nCountdown > 0) {
            CString text;
            text.Format(L"%d", m_nCountdown);
            m_lblSeconds.SetText(text);
        } else {
            KillTimer(kCountdownTimer);
            InstallAtCountdownEnd();
        }
        // The label is transparent: what lies under its old digits is painted again first.
        if (m_lblSeconds.GetSafeHwnd()) {
            RECT rc{};
            m_lblSeconds.GetWindowRect(&rc);
            ScreenToClient(&rc);
            InvalidateRect(&rc, TRUE);
            UpdateWindow();
        }
    }
    return fw::PassOn();
}

BOOL CBundorDlg::PreTranslateMessage(MSG* pMsg) {
    if (m_bLayoutAfterPress) RelayoutAfterPress(*pMsg);
    if (m_pConfig && m_pConfig->bCountdown &&
        (pMsg->message == WM_KEYDOWN || pMsg->message == WM_LBUTTONDOWN)) {
        // The select-all box is the one control whose place depends on the countdown.
        if (pMsg->message == WM_LBUTTONDOWN && pMsg->hwnd == m_btnSelectAll.GetSafeHwnd())
            m_bLayoutAfterPress = true;
        StopCountdown();
    }
    return CDialog::PreTranslateMessage(pMsg);
}

// Once the box has had its button-up (it holds the capture until then), or has lost the press
// some other way, the layout posted now follows the click's own handling.
void CBundorDlg::RelayoutAfterPress(const MSG& msg) {
    if (msg.message == WM_LBUTTONDOWN && msg.hwnd == m_btnSelectAll.GetSafeHwnd()) return;
    if (msg.message != WM_LBUTTONUP && ::GetCapture() == m_btnSelectAll.GetSafeHwnd()) return;
    m_bLayoutAfterPress = false;
    PostMessage(WM_SIZE, 0, 0);
}

void CBundorDlg::StopCountdown() {
    KillTimer(kCountdownTimer);
    if (m_lblSeconds.GetSafeHwnd()) m_lblSeconds.ShowWindow(SW_HIDE);
    if (m_lblCountdown.GetSafeHwnd()) m_lblCountdown.ShowWindow(SW_HIDE);
    m_pConfig->bCountdown = 0;
    if (!m_bLayoutAfterPress) SendMessage(WM_SIZE, 0, 0);
}
