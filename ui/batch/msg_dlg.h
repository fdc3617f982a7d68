// CMsgDlg: a modal window with a heading in its title bar, a read-only text that scrolls both
// ways and a footer line, closed with 确定 or 取消. The batch runs list their failures in it;
// the save command asks for confirmation with it.
#pragma once

#include <windows.h>

#include "fw/controls.h"
#include "fw/dialog.h"
#include "fw/text.h"

class CMsgDlg : public CDialog {
public:
    // Null texts count as empty. Owned by the application's main window (pParentWnd only for
    // windows of the tests' own).
    CMsgDlg(const wchar_t* pszCaption, const wchar_t* pszText, const wchar_t* pszFooter,
            CWnd* pParentWnd = nullptr);
    ~CMsgDlg() override;

    // DoModal: IDOK for 确定 or Enter, IDCANCEL for 取消, Escape or the close box.

    CEdit m_edit;      // 1001: m_strText
    CStatic m_footer;  // 1004: m_strFooter
    CString m_strCaption;
    CString m_strText;
    CString m_strFooter;

protected:
    BOOL OnInitDialog() override;
};

// Shows a CMsgDlg with the three texts from the calling thread and returns IDOK or IDCANCEL
// (-1 when the window could not be created).
INT_PTR ShowMsgDlg(const wchar_t* pszCaption, const wchar_t* pszText, const wchar_t* pszFooter);
