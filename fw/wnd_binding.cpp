// CWnd's binding: which object a window belongs to (the registry), creation with the object
// bound before the window's first message, subclassing, attaching and letting go.
#include "fw/wnd_internal.h"

using fw::detail::Hook;
using fw::detail::Hooks;

namespace {

struct Pending {
    CWnd* pWnd = nullptr;
    LPCWSTR pszClass = nullptr;
};
// The object waiting for its window to be created on this thread.
thread_local Pending t_pending;

}  // namespace

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    if (!hWnd || ::GetWindowThreadProcessId(hWnd, nullptr) != ::GetCurrentThreadId())
        return nullptr;
    Hook hook;
    return Hooks().Find(hWnd, hook) ? hook.pWnd : nullptr;
}

bool CWnd::Bind(HWND hWnd) {
    Hook hook;
    if (Hooks().Find(hWnd, hook)) {
        // Our procedure stayed in place after an earlier object let go (another one was
        // installed over it): it still knows the procedure it replaced.
        if (hook.pWnd) return false;
    } else {
        ::SetLastError(0);
        hook.pfnPrev = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::HookProc)));
        if (!hook.pfnPrev) return false;
    }
    hook.pWnd = this;
    Hooks().Set(hWnd, hook);
    m_hWnd = hWnd;
    m_pfnPrev = hook.pfnPrev;
    m_bRouted = true;
    return true;
}

void CWnd::Unbind() {
    if (m_bRouted && m_hWnd) {
        // Our procedure comes out only when it is still the window's; otherwise it stays and
        // forwards, so that a procedure installed over it keeps a valid one to call.
        if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) ==
                &CWnd::HookProc &&
            ::GetWindowThreadProcessId(m_hWnd, nullptr) == ::GetCurrentThreadId()) {
            ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnPrev));
            Hooks().Erase(m_hWnd);
        } else {
            Hooks().Set(m_hWnd, Hook{nullptr, m_pfnPrev});
        }
    }
    m_hWnd = nullptr;
    m_pfnPrev = nullptr;
    m_bRouted = false;
    m_bOwnsWindow = false;
}

LRESULT CALLBACK CWnd::CbtProc(int nCode, WPARAM wParam, LPARAM lParam) noexcept {
    if (nCode == HCBT_CREATEWND && t_pending.pWnd) {
        const HWND hWnd = reinterpret_cast<HWND>(wParam);
        wchar_t cls[80] = {};
        // Other windows may be created first (an input-method window, for one): only the
        // expected class is taken.
        if (::GetClassNameW(hWnd, cls, 80) > 0 && ::lstrcmpiW(cls, t_pending.pszClass) == 0) {
            CWnd* pWnd = t_pending.pWnd;
            t_pending.pWnd = nullptr;
            pWnd->Bind(hWnd);
        }
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

HWND CWnd::CreateHooked(LPCWSTR pszClass, const std::function<HWND()>& create) {
    const Pending saved = t_pending;
    t_pending = Pending{this, pszClass};
    const HHOOK hook = ::SetWindowsHookExW(WH_CBT, CbtProc, nullptr, ::GetCurrentThreadId());
    const HWND hWnd = create();
    if (hook) ::UnhookWindowsHookEx(hook);
    t_pending = saved;
    if (hWnd && !m_hWnd && ::IsWindow(hWnd)) Bind(hWnd);
    return hWnd;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR pszClass, LPCWSTR pszText, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID) {
    if (m_hWnd) return FALSE;
    const HWND hParent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    const HMENU hMenu =
        (dwStyle & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)) : nullptr;
    const HWND hWnd = CreateHooked(pszClass, [&] {
        return ::CreateWindowExW(dwExStyle, pszClass, pszText, dwStyle, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, hParent, hMenu,
                                 ::GetModuleHandleW(nullptr), nullptr);
    });
    if (!hWnd || m_hWnd != hWnd) return FALSE;
    m_bOwnsWindow = true;
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (m_hWnd || !hWnd || !::IsWindow(hWnd) || FromHandlePermanent(hWnd)) return FALSE;
    // Messages reach a window on the thread that owns it, and so must the object.
    if (::GetWindowThreadProcessId(hWnd, nullptr) != ::GetCurrentThreadId()) return FALSE;
    m_hWnd = hWnd;
    PreSubclassWindow();
    if (!Bind(hWnd)) {
        m_hWnd = nullptr;
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    if (!pParent || !pParent->m_hWnd) return FALSE;
    return SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
}

BOOL CWnd::Attach(HWND hWnd) {
    if (m_hWnd || !hWnd) return FALSE;
    m_hWnd = hWnd;
    m_bRouted = false;
    m_bOwnsWindow = false;
    return TRUE;
}

HWND CWnd::Detach() {
    const HWND hWnd = m_hWnd;
    Unbind();
    return hWnd;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    const HWND hWnd = m_hWnd;
    // A routed window unbinds itself on WM_NCDESTROY; a borrowed one is forgotten here.
    if (!m_bRouted) Unbind();
    return ::DestroyWindow(hWnd);
}
