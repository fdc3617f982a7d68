// Helpers of the batch-run window tests: the stand-in installer's log, window texts, and a
// watcher thread that looks at the run's windows from outside and answers them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/utf.h"
#include "tests/win/main/test_medium.h"

namespace batchtest {

using testmedium::FakeInstaller;
using testmedium::ReadText;
using testmedium::TempFolder;
using testmedium::WinePath;
using testmedium::WriteFile;

// The installer's log as lines.
inline std::vector<std::wstring> LogLines(const std::wstring& path) {
    std::vector<std::wstring> lines;
    std::wstring text = Utf8ToWide(ReadText(path));
    size_t from = 0;
    for (size_t at; (at = text.find(L'\n', from)) != std::wstring::npos; from = at + 1)
        lines.push_back(text.substr(from, at - from));
    return lines;
}

// WM_GETTEXT itself: GetWindowTextW gives only the stored title of another process's window,
// never the text an edit control holds.
inline std::wstring Text(HWND hWnd) {
    wchar_t buffer[4096] = {};
    DWORD_PTR length = 0;
    ::SendMessageTimeoutW(hWnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL,
                          5000, &length);
    return buffer;
}

// Polls until find() gives a window (or 20 s have passed: null).
inline HWND WaitFor(const std::function<HWND()>& find) {
    for (int i = 0; i < 2000; ++i) {
        if (const HWND h = find()) return h;
        ::Sleep(10);
    }
    return nullptr;
}

// A dialog once it is shown: its initialisation, texts included, is done by then.
inline HWND DialogTitled(const wchar_t* pszTitle) {
    return WaitFor([=] {
        const HWND h = ::FindWindowW(L"#32770", pszTitle);
        return h && ::IsWindowVisible(h) ? h : nullptr;
    });
}

// Runs a function on a thread of its own for the duration of a scope: the test's own thread
// sits in the progress window's modal loop meanwhile.
class Watcher {
public:
    explicit Watcher(std::function<void()> watch) : m_thread(std::move(watch)) {}
    ~Watcher() { m_thread.join(); }
    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;

private:
    std::thread m_thread;
};

}  // namespace batchtest
