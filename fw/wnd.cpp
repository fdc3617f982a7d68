#include "fw/wnd.h"

#include <commctrl.h>

#include <unordered_map>
#include <vector>

namespace {

// Every window bound to an object has HookProc as its window procedure; the registry gives
// the object and the procedure it replaced. Window properties and comctl32's subclassing keep
// this in the window manager, which under Wine costs a server round trip per message (well
// over 100 microseconds): a large catalogue list would take seconds to fill.
struct Hook {
    CWnd* pWnd = nullptr;  // null once the object has let go; the hook only forwards then
    WNDPROC pfnPrev = nullptr;
};

class Registry {
public:
    bool Find(HWND hWnd, Hook& hook) {
        const Lock lock(m_lock);
        const auto it = m_hooks.find(hWnd);
        if (it == m_hooks.end()) return false;
        hook = it->second;
        return true;
    }
    void Set(HWND hWnd, const Hook& hook) {
        const Lock lock(m_lock);
        m_hooks[hWnd] = hook;
    }
    void Erase(HWND hWnd) {
        const Lock lock(m_lock);
        m_hooks.erase(hWnd);
    }

private:
    class Lock {
    public:
        explicit Lock(SRWLOCK& l) : m_l(l) { ::AcquireSRWLockExclusive(&m_l); }
        ~Lock() { ::ReleaseSRWLockExclusive(&m_l); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        SRWLOCK& m_l;
    };
    SRWLOCK m_lock = SRWLOCK_INIT;
    std::unordered_map<HWND, Hook> m_hooks;
};

// Never destroyed: windows may still receive messages while static objects are destroyed.
Registry& Hooks() {
    static Registry* registry = new Registry;
    return *registry;
}

struct Pending {
    CWnd* pWnd = nullptr;
    LPCWSTR pszClass = nullptr;
};
// The object waiting for its window to be created on this thread.
thread_local Pending t_pending;
// The object whose window procedure is innermost on this thread.
thread_local CWnd* t_pInProc = nullptr;

}  // namespace

// The message a window is handling, so that Default() can pass exactly that message on and
// the parent can tell which child's processing sent it.
struct CWnd::CurrentMsg {
    fw::Message msg;
    CWnd* pCaller;    // innermost window in processing when this message arrived
    bool bReflected;  // handed back by the parent: there is no default processing
    bool bDefaultDone = false;
    LRESULT defaultResult = 0;
    CurrentMsg* pPrev = nullptr;
};

class CWnd::CurrentMsgScope {
public:
    CurrentMsgScope(CWnd::CurrentMsg*& top, CWnd::CurrentMsg& cur) : m_top(top), m_cur(cur) {
        m_cur.pPrev = m_top;
        m_top = &m_cur;
    }
    ~CurrentMsgScope() { m_top = m_cur.pPrev; }
    CurrentMsgScope(const CurrentMsgScope&) = delete;
    CurrentMsgScope& operator=(const CurrentMsgScope&) = delete;

private:
    CWnd::CurrentMsg*& m_top;
    CWnd::CurrentMsg& m_cur;
};

CWnd::~CWnd() {
    if (!m_hWnd) return;
    const HWND hWnd = m_hWnd;
    const bool bOwns = m_bOwnsWindow;
    Detach();
    if (bOwns && ::IsWindow(hWnd)) ::DestroyWindow(hWnd);
}

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
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    int x = (rcCenter.left + rcCenter.right) / 2 - w / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - h / 2;
    if (!(GetStyle() & WS_CHILD)) {
        if (x + w > rcArea.right) x = rcArea.right - w;
        if (x < rcArea.left) x = rcArea.left;
        if (y + h > rcArea.bottom) y = rcArea.bottom - h;
        if (y < rcArea.top) y = rcArea.top;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- message routing -------------------------------------------------------------------------

LRESULT CALLBACK CWnd::HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    Hook hook;
    if (!Hooks().Find(hWnd, hook)) return ::DefWindowProcW(hWnd, message, wParam, lParam);
    if (!hook.pWnd) {
        const LRESULT result = ::CallWindowProcW(hook.pfnPrev, hWnd, message, wParam, lParam);
        if (message == WM_NCDESTROY) Hooks().Erase(hWnd);
        return result;
    }
    CWnd* self = hook.pWnd;
    CurrentMsg cur{fw::Message{hWnd, message, wParam, lParam}, t_pInProc, false};
    CWnd* const pOuter = t_pInProc;
    t_pInProc = self;
    LRESULT result = 0;
    try {
        CurrentMsgScope scope(self->m_pCurrent, cur);
        result = self->WindowProc(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through user32. The message still gets its default processing
        // unless a handler already gave it.
        result = cur.bDefaultDone ? cur.defaultResult
                                  : ::CallWindowProcW(hook.pfnPrev, hWnd, message, wParam, lParam);
    }
    t_pInProc = pOuter;
    // The window is gone: nothing of it may stay in the registry.
    if (message == WM_NCDESTROY) Hooks().Erase(hWnd);
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        const LRESULT result = Default();
        Unbind();
        return result;
    }
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result)) return result;
    return Default();
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    switch (message) {
        case WM_COMMAND:
            *pResult = 0;
            return OnCommand(wParam, lParam);
        case WM_NOTIFY:
            return OnNotify(wParam, lParam, pResult);
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
            if (ReflectChildMessage(message, wParam, lParam, pResult)) return TRUE;
            break;
        default:
            if (fw::IsCtlColor(message) && ReflectChildMessage(message, wParam, lParam, pResult))
                return TRUE;
            break;
    }
    return RunTables(fw::MsgEvent{fw::Route::Message, message, 0, 0}, message, wParam, lParam,
                     pResult);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (lParam != 0 && ReflectChildMessage(WM_COMMAND, wParam, lParam, &result)) return TRUE;
    return RunTables(fw::MsgEvent{fw::Route::Command, 0, LOWORD(wParam), HIWORD(wParam)},
                     WM_COMMAND, wParam, lParam, &result);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const auto* pNM = reinterpret_cast<const NMHDR*>(lParam);
    if (!pNM) return FALSE;
    if (ReflectChildMessage(WM_NOTIFY, wParam, lParam, pResult)) return TRUE;
    return RunTables(
        fw::MsgEvent{fw::Route::Notify, 0, static_cast<std::uint32_t>(pNM->idFrom), pNM->code},
        WM_NOTIFY, wParam, lParam, pResult);
}

bool CWnd::ProcessMessageTable(fw::MsgContext&) {
    return false;
}

BOOL CWnd::RunTables(const fw::MsgEvent& event, UINT message, WPARAM wParam, LPARAM lParam,
                     LRESULT* pResult) {
    const fw::Message msg{m_hWnd, message, wParam, lParam};
    fw::MsgContext ctx(event, msg);
    if (!ProcessMessageTable(ctx)) return FALSE;
    if (pResult) *pResult = ctx.Result();
    return TRUE;
}

LRESULT CWnd::Default() {
    CurrentMsg* cur = m_pCurrent;
    if (!cur || cur->bReflected || !m_bRouted) return 0;
    if (!cur->bDefaultDone) {
        cur->bDefaultDone = true;
        cur->defaultResult = ::CallWindowProcW(m_pfnPrev, cur->msg.hwnd, cur->msg.message,
                                               cur->msg.wParam, cur->msg.lParam);
    }
    return cur->defaultResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    CurrentMsg* cur = m_pCurrent;
    if (!cur || cur->bReflected || !m_bRouted) return 0;
    return ::CallWindowProcW(m_pfnPrev, m_hWnd, message, wParam, lParam);
}

HWND CWnd::FindMeasuredChild(UINT ctlId) const {
    // Several children may share an id; the one asking is the control whose own message
    // processing sent this WM_MEASUREITEM.
    if (m_pCurrent && m_pCurrent->pCaller) {
        const HWND hCaller = m_pCurrent->pCaller->m_hWnd;
        if (hCaller && ::GetParent(hCaller) == m_hWnd &&
            static_cast<UINT>(::GetDlgCtrlID(hCaller)) == ctlId)
            return hCaller;
    }
    return ::GetDlgItem(m_hWnd, static_cast<int>(ctlId));
}

BOOL CWnd::ReflectChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    HWND hChild = nullptr;
    switch (message) {
        case WM_NOTIFY:
            if (lParam) hChild = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
            break;
        case WM_COMMAND:
            hChild = reinterpret_cast<HWND>(lParam);
            break;
        case WM_DRAWITEM: {
            const auto* pDIS = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (pDIS && pDIS->CtlType != ODT_MENU) hChild = pDIS->hwndItem;
            break;
        }
        case WM_MEASUREITEM: {
            const auto* pMIS = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
            if (pMIS && pMIS->CtlType != ODT_MENU) hChild = FindMeasuredChild(pMIS->CtlID);
            break;
        }
        default:
            if (fw::IsCtlColor(message)) hChild = reinterpret_cast<HWND>(lParam);
            break;
    }
    if (!hChild || hChild == m_hWnd) return FALSE;
    CWnd* pChild = FromHandlePermanent(hChild);
    if (!pChild) return FALSE;
    LRESULT result = 0;
    if (!pChild->OnChildNotify(message, wParam, lParam, &result)) return FALSE;
    if (pResult) *pResult = result;
    return TRUE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    fw::MsgEvent event{fw::Route::ReflectedMessage, message, 0, 0};
    if (message == WM_NOTIFY)
        event = fw::MsgEvent{fw::Route::ReflectedNotify, 0, 0,
                             reinterpret_cast<const NMHDR*>(lParam)->code};
    else if (message == WM_COMMAND)
        event = fw::MsgEvent{fw::Route::ReflectedCommand, 0, 0, HIWORD(wParam)};
    CurrentMsg cur{fw::Message{m_hWnd, message, wParam, lParam}, nullptr, true};
    CurrentMsgScope scope(m_pCurrent, cur);
    return RunTables(event, message, wParam, lParam, pResult);
}
