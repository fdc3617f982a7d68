// The registry of bound windows and the record of the message in hand: what binding
// (wnd_binding.cpp) and routing (wnd_routing.cpp) share. Not for the windows' own code.
#pragma once

#include <windows.h>

#include <unordered_map>

#include "fw/wnd.h"

namespace fw::detail {

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
inline Registry& Hooks() {
    static Registry* registry = new Registry;
    return *registry;
}

}  // namespace fw::detail

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
