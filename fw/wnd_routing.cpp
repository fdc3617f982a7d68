// CWnd's routing: the window procedure every bound window has, the message tables, the default
// processing, and the reflection of a child's messages back to the child's object.
#include "fw/wnd_internal.h"

#include <commctrl.h>

using fw::detail::Hook;
using fw::detail::Hooks;

namespace {

// The object whose window procedure is innermost on this thread.
thread_local CWnd* t_pInProc = nullptr;

}  // namespace

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
