// Helpers of the framework's window tests: dialog templates built in memory, message pumping.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

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

// Handles the messages waiting on this thread's queue.
inline void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

}  // namespace fwtest
