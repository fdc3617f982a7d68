// Thin wrappers of the system controls that the windows use: button, static, edit, progress
// bar and tooltip.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "fw/self_drawn.h"
#include "fw/wnd.h"

// An owner-drawn button draws itself in DrawItem.
class CButton : public fw::SelfDrawnWnd {
public:
    BOOL Create(LPCWSTR pszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
        return CreateEx(0, L"BUTTON", pszCaption, dwStyle, rect, pParentWnd, nID);
    }
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int nCheck) const { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }
    UINT GetButtonStyle() const { return GetStyle() & 0xFFFF; }
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE) const {
        SendMessage(BM_SETSTYLE, nStyle, bRedraw);
    }
};

class CStatic : public CWnd {
public:
    BOOL Create(LPCWSTR pszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID = 0xFFFF) {
        return CreateEx(0, L"STATIC", pszText, dwStyle, rect, pParentWnd, nID);
    }
};

class CEdit : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
        return CreateEx(WS_EX_CLIENTEDGE, L"EDIT", L"", dwStyle, rect, pParentWnd, nID);
    }
};

class CProgressCtrl : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
        return CreateEx(0, PROGRESS_CLASSW, nullptr, dwStyle, rect, pParentWnd, nID);
    }
    void SetRange32(int nLower, int nUpper) const { SendMessage(PBM_SETRANGE32, nLower, nUpper); }
    int SetPos(int nPos) const { return static_cast<int>(SendMessage(PBM_SETPOS, nPos)); }
    int OffsetPos(int nPos) const { return static_cast<int>(SendMessage(PBM_DELTAPOS, nPos)); }
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
};

// A tooltip window owned by another window; it goes when its owner goes.
class CToolTipCtrl : public CWnd {
public:
    BOOL Create(CWnd* pOwnerWnd, DWORD dwStyle = 0);
    void Activate(BOOL bActivate) const { SendMessage(TTM_ACTIVATE, bActivate); }
    int SetMaxTipWidth(int nWidth) const {
        return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, nWidth));
    }
    void RelayEvent(MSG* pMsg) const {
        SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
    }
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    // A tool for the client area part pRect (whole client area when null) of pWnd.
    BOOL AddTool(CWnd* pWnd, LPCWSTR pszText, const RECT* pRect, UINT nIDTool) const;
    void UpdateTipText(LPCWSTR pszText, CWnd* pWnd, UINT nIDTool) const;
};
