// CWnd: its destruction and the user32 wrappers that take more than one call.
#include "fw/wnd.h"

#include <vector>

#include "fw/centre.h"

CWnd::~CWnd() {
    if (!m_hWnd) return;
    const HWND hWnd = m_hWnd;
    const bool bOwns = m_bOwnsWindow;
    Detach();
    if (bOwns && ::IsWindow(hWnd)) ::DestroyWindow(hWnd);
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

void CWnd::GetWindowText(CString& str) const {
    const int n = ::GetWindowTextLengthW(m_hWnd);
    std::vector<wchar_t> buf(static_cast<std::size_t>(n > 0 ? n : 0) + 1, L'\0');
    const int got = ::GetWindowTextW(m_hWnd, buf.data(), static_cast<int>(buf.size()));
    str = CString(buf.data(), got);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) const {
    const DWORD style = GetStyle();
    const DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle) return FALSE;
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(newStyle));
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

void CWnd::CenterWindow(HWND hWndAlternateOwner) const {
    RECT rcArea{}, rcCenter{};
    if (GetStyle() & WS_CHILD) {
        const HWND hParent = ::GetParent(m_hWnd);
        ::GetClientRect(hParent, &rcArea);
        rcCenter = rcArea;
    } else {
        const HWND hDesktop = ::GetDesktopWindow();
        HWND hCenter = hWndAlternateOwner ? hWndAlternateOwner : ::GetWindow(m_hWnd, GW_OWNER);
        const HWND hMonitorOf = hCenter && hCenter != hDesktop ? hCenter : m_hWnd;
        if (hCenter == hDesktop ||
            (hCenter && (!::IsWindowVisible(hCenter) || ::IsIconic(hCenter))))
            hCenter = nullptr;
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        ::GetMonitorInfoW(::MonitorFromWindow(hMonitorOf, MONITOR_DEFAULTTONEAREST), &mi);
        rcArea = mi.rcWork;
        if (hCenter)
            ::GetWindowRect(hCenter, &rcCenter);
        else
            rcCenter = rcArea;
    }
    RECT rc{};
    ::GetWindowRect(m_hWnd, &rc);
    const auto box = [](const RECT& r) {
        return fw::CentreBox{static_cast<int>(r.left), static_cast<int>(r.top),
                             static_cast<int>(r.right), static_cast<int>(r.bottom)};
    };
    const fw::CentrePoint pt =
        fw::CentredOrigin(box(rcCenter), rc.right - rc.left, rc.bottom - rc.top, box(rcArea),
                          !(GetStyle() & WS_CHILD));
    ::SetWindowPos(m_hWnd, nullptr, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
