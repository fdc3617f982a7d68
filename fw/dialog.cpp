#include "fw/dialog.h"

#include "fw/app.h"

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::CDialog(const DLGTEMPLATE* pTemplate, CWnd* pParentWnd)
    : m_pTemplate(pTemplate), m_pParentWnd(pParentWnd) {}

// Every message of the dialog reaches the object through its subclass procedure first; the
// dialog manager calls this procedure only for what the object leaves to the default.
INT_PTR CALLBACK CDialog::DialogProc(HWND, UINT, WPARAM, LPARAM) noexcept {
    return FALSE;
}

bool CDialog::ProcessMessageTable(fw::MsgContext& ctx) {
    return ctx.Run(*this, kMessages) || CWnd::ProcessMessageTable(ctx);
}

BOOL CDialog::OnInitDialog() {
    return TRUE;
}

void CDialog::OnOK() {
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    m_bEndModal = true;
    // The loop may be waiting in GetMessageW, which handles sent messages without returning:
    // a posted message makes it look at the flag.
    if (m_hWnd) ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
}

HWND CDialog::FindOwner() const {
    HWND hOwner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    if (!hOwner) {
        const CWinApp* pApp = CWinApp::GetApp();
        if (pApp && pApp->m_pMainWnd && pApp->m_pMainWnd != this)
            hOwner = pApp->m_pMainWnd->GetSafeHwnd();
    }
    // Only a top-level window can own a dialog.
    return hOwner ? ::GetAncestor(hOwner, GA_ROOT) : nullptr;
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd || m_bInModal) return -1;
    const HWND hOwner = FindOwner();
    const HINSTANCE hInst = ::GetModuleHandleW(nullptr);
    m_bEndModal = false;
    m_nModalResult = -1;
    const HWND hWnd = CreateHooked(L"#32770", [&] {
        return m_pTemplate ? ::CreateDialogIndirectParamW(hInst, m_pTemplate, hOwner, DialogProc, 0)
                           : ::CreateDialogParamW(hInst, MAKEINTRESOURCEW(m_nIDTemplate), hOwner,
                                                  DialogProc, 0);
    });
    if (!hWnd || m_hWnd != hWnd) {
        if (hWnd && ::IsWindow(hWnd)) ::DestroyWindow(hWnd);
        return -1;
    }
    m_bOwnsWindow = true;

    const bool bDisabledOwner = hOwner && ::IsWindowEnabled(hOwner);
    if (bDisabledOwner) ::EnableWindow(hOwner, FALSE);
    // Like DialogBox, show the dialog even when its template lacks WS_VISIBLE.
    if (!m_bEndModal && m_hWnd && !::IsWindowVisible(m_hWnd)) ::ShowWindow(m_hWnd, SW_SHOWNORMAL);

    m_bInModal = true;
    RunModalLoop();
    m_bInModal = false;

    // The owner is enabled before the dialog goes, so that it becomes the active window again.
    if (bDisabledOwner) ::EnableWindow(hOwner, TRUE);
    if (m_hWnd) ::DestroyWindow(m_hWnd);
    const INT_PTR result = m_bEndModal ? m_nModalResult : -1;
    m_bEndModal = false;
    return result;
}

void CDialog::RunModalLoop() {
    MSG msg{};
    while (!m_bEndModal && m_hWnd) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (PreTranslateTree(msg)) continue;
        if (m_hWnd && ::IsDialogMessageW(m_hWnd, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

BOOL CDialog::PreTranslateTree(MSG& msg) {
    for (HWND hWnd = msg.hwnd; hWnd;) {
        if (CWnd* pWnd = FromHandlePermanent(hWnd); pWnd && pWnd->PreTranslateMessage(&msg))
            return TRUE;
        if (hWnd == m_hWnd) break;
        if (!(::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD)) break;
        hWnd = ::GetParent(hWnd);
    }
    return FALSE;
}
