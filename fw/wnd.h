// CWnd: a C++ object bound to one window, whose messages go through the class's message tables,
// and the thin user32 wrappers that the windows call.
#pragma once

#include <windows.h>

#include <functional>

#include "fw/msg_table.h"
#include "fw/text.h"

class CWnd {
public:
    CWnd() = default;
    // Unbinds first, so that no message reaches the half-destroyed object; then destroys a
    // window that this object created. Never calls a virtual function.
    virtual ~CWnd();
    // The object's address is registered with the window: it can be neither copied nor moved.
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object bound to a window of this thread by Create or SubclassWindow, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Creates the window and binds it to this object before its first message. The object
    // owns the window: its destructor destroys it if it still exists.
    BOOL CreateEx(DWORD dwExStyle, LPCWSTR pszClass, LPCWSTR pszText, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID);
    // Routes the messages of an existing window (a dialog's child, for instance) through this
    // object: PreSubclassWindow, then the object's window procedure is put in front of the
    // window's own. The window stays borrowed.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    // Borrows a window handle without routing its messages; Detach forgets it (and ends the
    // routing, if any).
    BOOL Attach(HWND hWnd);
    HWND Detach();
    BOOL DestroyWindow();

    // Called by the modal loop for a message addressed to this window or one of its children,
    // innermost window first, before the dialog manager sees it. TRUE swallows the message.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // --- thin wrappers over user32 ---------------------------------------------------------
    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, msg, wParam, lParam);
    }
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, msg, wParam, lParam);
    }
    BOOL ShowWindow(int nCmdShow) const { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) const { return ::EnableWindow(m_hWnd, bEnable); }
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE) const {
        ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
    }
    void MoveWindow(const RECT& rc, BOOL bRepaint = TRUE) const {
        ::MoveWindow(m_hWnd, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, bRepaint);
    }
    BOOL SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) const {
        return ::SetWindowPos(m_hWnd, hWndInsertAfter, x, y, cx, cy, nFlags);
    }
    void Invalidate(BOOL bErase = TRUE) const { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void InvalidateRect(const RECT* pRect, BOOL bErase = TRUE) const {
        ::InvalidateRect(m_hWnd, pRect, bErase);
    }
    void UpdateWindow() const { ::UpdateWindow(m_hWnd); }
    void GetClientRect(RECT* pRect) const { ::GetClientRect(m_hWnd, pRect); }
    void GetWindowRect(RECT* pRect) const { ::GetWindowRect(m_hWnd, pRect); }
    void ScreenToClient(RECT* pRect) const {
        ::MapWindowPoints(HWND_DESKTOP, m_hWnd, reinterpret_cast<POINT*>(pRect), 2);
    }
    void ScreenToClient(POINT* pPoint) const { ::ScreenToClient(m_hWnd, pPoint); }
    void ClientToScreen(RECT* pRect) const {
        ::MapWindowPoints(m_hWnd, HWND_DESKTOP, reinterpret_cast<POINT*>(pRect), 2);
    }
    void ClientToScreen(POINT* pPoint) const { ::ClientToScreen(m_hWnd, pPoint); }
    void SetFont(HFONT hFont, BOOL bRedraw = TRUE) const {
        ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), bRedraw);
    }
    HFONT GetFont() const {
        return reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
    }
    void SetWindowText(const wchar_t* pszText) const { ::SetWindowTextW(m_hWnd, pszText); }
    void GetWindowText(CString& str) const;
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const {
        return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE));
    }
    // Changes the style bits; with nFlags, also SetWindowPos(SWP_NOSIZE | SWP_NOMOVE |
    // SWP_NOZORDER | SWP_NOACTIVATE | nFlags) so that a frame change takes effect.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0) const;
    HWND SetFocus() const { return ::SetFocus(m_hWnd); }
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse) const {
        return ::SetTimer(m_hWnd, nIDEvent, nElapse, nullptr);
    }
    BOOL KillTimer(UINT_PTR nIDEvent) const { return ::KillTimer(m_hWnd, nIDEvent); }
    HMENU GetSystemMenu(BOOL bRevert = FALSE) const { return ::GetSystemMenu(m_hWnd, bRevert); }
    BOOL LockWindowUpdate() const { return ::LockWindowUpdate(m_hWnd); }
    static void UnlockWindowUpdate() { ::LockWindowUpdate(nullptr); }
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) const { ::ShowScrollBar(m_hWnd, nBar, bShow); }
    // Centres the window over hWndAlternateOwner, else over its owner when that is visible and
    // not minimised, else in the work area of its monitor; a child is centred in its parent.
    // The desktop window as the alternate owner centres it on the screen (its work area).
    void CenterWindow(HWND hWndAlternateOwner = nullptr) const;

protected:
    // Called once the object knows its window and before it routes the window's messages
    // (after creation for CreateEx). The place to read or adjust the window's style.
    virtual void PreSubclassWindow() {}
    // WM_COMMAND: hands a control's notification to the control first (reflection), then to
    // this class's tables. TRUE when handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // WM_NOTIFY: the same, for notifications; *pResult is the message result when handled.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The class's message tables, derived first: override as
    //   return ctx.Run(*this, kMessages) || Base::ProcessMessageTable(ctx);
    virtual bool ProcessMessageTable(fw::MsgContext& ctx);
    // The default processing of the message being handled (the window's previous procedure:
    // the control's class procedure, or the dialog manager for a dialog). 0 when there is no
    // such message, for example inside a handler of a reflected message.
    LRESULT Default();
    // The window's previous procedure with a message of the caller's choice (a changed
    // style, say). Only while this window is handling one of its own messages.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The parent side of reflection: finds the child that a WM_NOTIFY, WM_COMMAND,
    // WM_DRAWITEM, WM_MEASUREITEM or WM_CTLCOLOR* message is about and lets it handle the
    // message first. TRUE when the child took it (then *pResult is the result).
    BOOL ReflectChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // TRUE when this object created its window (and destroys it if the window outlives it).
    bool OwnsWindow() const { return m_bOwnsWindow; }
    // Offers a message to this class's tables under the given route.
    BOOL RunTables(const fw::MsgEvent& event, UINT message, WPARAM wParam, LPARAM lParam,
                   LRESULT* pResult);

private:
    friend class CDialog;
    struct CurrentMsg;
    class CurrentMsgScope;

    // Runs `create` with a thread-local hook that binds this object to the first window of
    // class pszClass that is created, before that window's first message.
    HWND CreateHooked(LPCWSTR pszClass, const std::function<HWND()>& create);
    static LRESULT CALLBACK CbtProc(int nCode, WPARAM wParam, LPARAM lParam) noexcept;

    static LRESULT CALLBACK HookProc(HWND, UINT, WPARAM, LPARAM) noexcept;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    HWND FindMeasuredChild(UINT ctlId) const;
    bool Bind(HWND hWnd);
    void Unbind();

    HWND m_hWnd = nullptr;
    WNDPROC m_pfnPrev = nullptr;  // the window procedure HookProc replaced
    bool m_bRouted = false;       // messages go through HookProc
    bool m_bOwnsWindow = false;   // created by this object
    CurrentMsg* m_pCurrent = nullptr;
};
