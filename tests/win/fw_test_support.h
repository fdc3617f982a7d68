// Helpers of the framework's window tests: dialog templates built in memory, a dialog that acts
// once after it opens, message pumping, a control that answers the row-height query.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "fw/dialog.h"

namespace fwtest {

struct DlgItem {
    WORD atom;  // 0x0080 button, 0x0081 edit, 0x0082 static, 0x0083 list box
    DWORD style;
    short x, y, cx, cy;
    WORD id;
    const wchar_t* text;
};

// A DLGTEMPLATE with its items, laid out as the dialog manager reads it.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short cx, short cy, const wchar_t* title,
                   std::initializer_list<DlgItem> items) {
        Put32(style);
        Put32(0);  // extended style
        m_words.push_back(static_cast<WORD>(items.size()));
        m_words.insert(m_words.end(), {0, 0, static_cast<WORD>(cx), static_cast<WORD>(cy)});
        m_words.push_back(0);  // no menu
        m_words.push_back(0);  // the dialog class
        PutText(title);
        if (style & DS_SETFONT) {
            m_words.push_back(9);
            PutText(L"Tahoma");
        }
        for (const DlgItem& item : items) {
            if (m_words.size() % 2) m_words.push_back(0);  // items start on a DWORD
            Put32(item.style | WS_CHILD);
            Put32(0);
            m_words.insert(m_words.end(),
                           {static_cast<WORD>(item.x), static_cast<WORD>(item.y),
                            static_cast<WORD>(item.cx), static_cast<WORD>(item.cy), item.id});
            m_words.insert(m_words.end(), {0xFFFF, item.atom});
            PutText(item.text);
            m_words.push_back(0);  // no creation data
        }
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void Put32(DWORD v) {
        m_words.push_back(LOWORD(v));
        m_words.push_back(HIWORD(v));
    }
    void PutText(const wchar_t* text) {
        for (const wchar_t* p = text ? text : L""; *p; ++p) m_words.push_back(*p);
        m_words.push_back(0);
    }
    std::vector<WORD> m_words;
};

inline constexpr DWORD kDialogStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;

// A modal dialog that acts once, nActionMs after it opens (OnAction), and ends itself with -2
// if it is still open nSafetyMs after it opened.
class ActingDlg : public CDialog {
public:
    explicit ActingDlg(const DLGTEMPLATE* pTemplate, CWnd* pParent = nullptr, UINT nSafetyMs = 5000,
                       UINT nActionMs = 50)
        : CDialog(pTemplate, pParent), m_nSafetyMs(nSafetyMs), m_nActionMs(nActionMs) {}

protected:
    virtual void OnAction() = 0;
    BOOL OnInitDialog() override {
        SetTimer(kActionTimer, m_nActionMs);
        SetTimer(kSafetyTimer, m_nSafetyMs);
        return TRUE;
    }
    bool ProcessMessageTable(fw::MsgContext& ctx) override {
        return ctx.Run(*this, kMessages) || CDialog::ProcessMessageTable(ctx);
    }

private:
    static constexpr UINT_PTR kActionTimer = 1, kSafetyTimer = 2;
    void OnTimer(UINT_PTR id) {
        KillTimer(id);
        if (id == kSafetyTimer)
            EndDialog(-2);
        else
            OnAction();
    }
    static constexpr fw::MsgEntry kMessages[] = {fw::Msg<WM_TIMER, &ActingDlg::OnTimer>};
    UINT m_nSafetyMs, m_nActionMs;
};

// Handles the messages waiting on this thread's queue.
inline void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// A control of class Base that answers the row-height query (WM_MEASUREITEM, handed to it by
// its parent) with its own height, counting the queries.
template <class Base>
class MeasuredCtrl : public Base {
public:
    explicit MeasuredCtrl(UINT height) : m_height(height) {}
    int m_nMeasured = 0;

protected:
    bool ProcessMessageTable(fw::MsgContext& ctx) override {
        return ctx.Run(*this, kMessages) || Base::ProcessMessageTable(ctx);
    }

private:
    BOOL OnMeasureItem(MEASUREITEMSTRUCT* pMIS) {
        ++m_nMeasured;
        pMIS->itemHeight = m_height;
        return TRUE;
    }
    static constexpr fw::MsgEntry kMessages[] = {
        fw::Reflect<WM_MEASUREITEM, &MeasuredCtrl::OnMeasureItem>};
    UINT m_height;
};

}  // namespace fwtest
