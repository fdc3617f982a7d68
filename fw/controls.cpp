#include "fw/controls.h"

namespace {
TTTOOLINFOW ToolInfo(HWND hWnd, UINT nIDTool) {
    TTTOOLINFOW ti{};
    // The size comctl32 5.8 and 6 both accept.
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = hWnd;
    ti.uId = nIDTool;
    return ti;
}
}  // namespace

BOOL CToolTipCtrl::Create(CWnd* pOwnerWnd, DWORD dwStyle) {
    const RECT rc{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | dwStyle, rc, pOwnerWnd, 0);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCWSTR pszText, const RECT* pRect, UINT nIDTool) const {
    if (!pWnd) return FALSE;
    TTTOOLINFOW ti = ToolInfo(pWnd->GetSafeHwnd(), nIDTool);
    ti.lpszText = const_cast<LPWSTR>(pszText ? pszText : L"");
    if (pRect)
        ti.rect = *pRect;
    else
        ::GetClientRect(ti.hwnd, &ti.rect);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::UpdateTipText(LPCWSTR pszText, CWnd* pWnd, UINT nIDTool) const {
    if (!pWnd) return;
    TTTOOLINFOW ti = ToolInfo(pWnd->GetSafeHwnd(), nIDTool);
    ti.lpszText = const_cast<LPWSTR>(pszText ? pszText : L"");
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}
