// CAboutDlg: the about window in the main window's skin: head image, forum link, ownership
// notice and an image close button.
#pragma once

#include <windows.h>

#include "fw/dialog.h"
#include "fw/gdi.h"
#include "ui/controls/xp_style_button_st.h"

class CAboutDlg : public CDialog {
public:
    // Without a parent the dialog is owned by the application's main window.
    explicit CAboutDlg(CWnd* pParentWnd = nullptr);

    // Size of the window in pixels, whatever the template's dialog units come to.
    static constexpr int kWidth = 340;
    static constexpr int kHeight = 200;

    CXPStyleButtonST m_btnLink;   // the forum link, id 1000
    CXPStyleButtonST m_btnClose;  // the close button, IDOK

    // Lent by the main window, which outlives the dialog; set before DoModal. Without the
    // colour or the head image the dialog keeps the system's own background.
    const COLORREF* m_pcrBack = nullptr;
    const CBitmap* m_pbmpHead = nullptr;
    const CBitmap* m_pbmpStrip = nullptr;  // stretched right of the head image

    BOOL OnInitDialog() override;

protected:
    bool ProcessMessageTable(fw::MsgContext& ctx) override {
        return ctx.Run(*this, kMessages) || CDialog::ProcessMessageTable(ctx);
    }

private:
    fw::Reply OnEraseBkgnd(HDC hDC);

    static constexpr fw::MsgEntry kMessages[] = {
        fw::Msg<WM_ERASEBKGND, &CAboutDlg::OnEraseBkgnd>,
    };
};
