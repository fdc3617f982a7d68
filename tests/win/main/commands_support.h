// Helpers of the main window's command tests: the modal windows it opens (message boxes, popup
// menus, file dialogs) found and answered from the test's own timed steps, and real input.
#pragma once

#include <windows.h>

#include <string>

#include "tests/win/main/main_test_support.h"

namespace cmdtest {

// A visible window of this process of the class given, owned by hOwner (any owner when null);
// a batch run shows its messages from its own thread.
// With nChild, only a window that has a child of that id.
inline HWND FindOwned(HWND hOwner, const wchar_t* pszClass = L"#32770", int nChild = 0) {
    struct Find {
        HWND hOwner;
        const wchar_t* pszClass;
        int nChild;
        HWND hFound;
    } find{hOwner, pszClass, nChild, nullptr};
    ::EnumWindows(
        [](HWND h, LPARAM l) CALLBACK -> BOOL {
            auto* f = reinterpret_cast<Find*>(l);
            DWORD pid = 0;
            ::GetWindowThreadProcessId(h, &pid);
            if (pid != ::GetCurrentProcessId()) return TRUE;
            wchar_t cls[32] = {};
            ::GetClassNameW(h, cls, 32);
            if (::IsWindowVisible(h) && ::lstrcmpW(cls, f->pszClass) == 0 &&
                (!f->hOwner || ::GetWindow(h, GW_OWNER) == f->hOwner) &&
                (!f->nChild || ::GetDlgItem(h, f->nChild))) {
                f->hFound = h;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.hFound;
}

inline std::wstring TextOf(HWND hWnd) {
    wchar_t text[1024] = {};
    ::GetWindowTextW(hWnd, text, 1024);
    return text;
}

// The static of a message box's text.
inline constexpr int kBoxText = 0xFFFF;

// A step's ready condition: a message box that the window owns (its own or its run's) shows;
// it is kept in hBox.
inline auto BoxShown(const CWnd& owner, HWND& hBox) {
    return [&owner, &hBox] { return (hBox = FindOwned(owner, L"#32770", kBoxText)) != nullptr; };
}

// A message box: its caption, its text, which system icon it shows, its buttons.
struct Box {
    std::wstring caption, text;
    LPCWSTR icon = nullptr;  // IDI_INFORMATION, IDI_EXCLAMATION, IDI_QUESTION or null
    bool bOk = false, bYesNo = false;
};

inline Box ReadBox(HWND hBox) {
    Box box;
    box.caption = TextOf(hBox);
    box.text = TextOf(::GetDlgItem(hBox, 0xFFFF));
    const auto hIcon =
        reinterpret_cast<HICON>(::SendDlgItemMessageW(hBox, 0x440, STM_GETICON, 0, 0));
    for (LPCWSTR id : {IDI_INFORMATION, IDI_EXCLAMATION, IDI_QUESTION})
        if (hIcon && hIcon == ::LoadIconW(nullptr, id)) box.icon = id;
    box.bOk = ::GetDlgItem(hBox, IDOK) != nullptr;
    box.bYesNo = ::GetDlgItem(hBox, IDYES) && ::GetDlgItem(hBox, IDNO);
    return box;
}

// Presses a button of a dialog as a click would.
inline void Press(HWND hDlg, int nID) {
    ::PostMessageW(::GetDlgItem(hDlg, nID), BM_CLICK, 0, 0);
}

inline bool Visible(const CWnd& wnd) {
    return (wnd.GetStyle() & WS_VISIBLE) != 0;
}

}  // namespace cmdtest
