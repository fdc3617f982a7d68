#include "ui/batch/msg_dlg.h"

#include "res/resource.h"

CMsgDlg::CMsgDlg(const wchar_t* pszCaption, const wchar_t* pszText, const wchar_t* pszFooter,
                 CWnd* pParentWnd)
    : CDialog(IDD_MSGDLG, pParentWnd),
      m_strCaption(pszCaption),
      m_strText(pszText),
      m_strFooter(pszFooter) {}

// The controls are the dialog's: they are only borrowed, and go with it.
CMsgDlg::~CMsgDlg() {
    m_edit.Detach();
    m_footer.Detach();
}

BOOL CMsgDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_edit.Detach();
    m_footer.Detach();
    m_edit.Attach(GetDlgItem(IDC_MSG_TEXT));
    m_footer.Attach(GetDlgItem(IDC_MSG_FOOTER));
    SetWindowText(m_strCaption);
    m_edit.SetWindowText(m_strText);
    m_footer.SetWindowText(m_strFooter);
    // On the screen, never over the owner: the owner is hidden while a run works.
    CenterWindow(::GetDesktopWindow());
    return TRUE;
}

INT_PTR ShowMsgDlg(const wchar_t* pszCaption, const wchar_t* pszText, const wchar_t* pszFooter) {
    CMsgDlg dlg(pszCaption, pszText, pszFooter);
    return dlg.DoModal();
}
