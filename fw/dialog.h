// CDialog: a modal dialog from a resource template, with its own modal loop.
#pragma once

#include <windows.h>

#include "fw/wnd.h"

class CDialog : public CWnd {
public:
    // The template is a dialog resource of this module. Without a parent the dialog is owned
    // by the application's main window (when that exists and is not this dialog).
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // A template in memory; it must outlive DoModal.
    explicit CDialog(const DLGTEMPLATE* pTemplate, CWnd* pParentWnd = nullptr);

    // Creates the dialog, disables its owner and runs the modal loop until EndDialog; then
    // enables the owner again and destroys the window. Returns the EndDialog value, or -1 when
    // the dialog could not be created, its window was destroyed without EndDialog, or the
    // thread's WM_QUIT arrived (which is posted again for the outer loop).
    //
    // The loop offers every message to PreTranslateMessage of the window it is addressed to
    // and of each parent up to the dialog, innermost first, and then to IsDialogMessageW; so
    // the dialog sees key presses and clicks aimed at any of its controls.
    virtual INT_PTR DoModal();
    // Ends the modal loop with nResult once the current message has been handled. May be
    // called from a handler of a message sent by another thread.
    void EndDialog(int nResult);

    // WM_INITDIALOG. TRUE lets the dialog manager put the focus on the first control.
    virtual BOOL OnInitDialog();
    // IDOK and IDCANCEL commands (Enter, Escape, the close box): end with IDOK / IDCANCEL.
    virtual void OnOK();
    virtual void OnCancel();

protected:
    bool ProcessMessageTable(fw::MsgContext& ctx) override;

private:
    BOOL OnInitDialogMessage(HWND, LPARAM) { return OnInitDialog(); }
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM) noexcept;
    HWND FindOwner() const;
    BOOL PreTranslateTree(MSG& msg);
    void RunModalLoop();

    static constexpr fw::MsgEntry kMessages[] = {
        fw::Msg<WM_INITDIALOG, &CDialog::OnInitDialogMessage>,
        fw::Cmd<IDOK, &CDialog::OnOK>,
        fw::Cmd<IDCANCEL, &CDialog::OnCancel>,
    };

    UINT m_nIDTemplate = 0;
    const DLGTEMPLATE* m_pTemplate = nullptr;
    CWnd* m_pParentWnd = nullptr;
    bool m_bInModal = false;
    bool m_bEndModal = false;
    INT_PTR m_nModalResult = -1;
};
