// Helpers of the end-to-end tests: the shipped launcher started as its own process from a
// medium on the CD-ROM drive E:, programs waited for, windows seen from outside, real clicks.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/win/batch/batch_support.h"
#include "tests/win/ui/ui_test_support.h"

namespace e2e {

using namespace batchtest;

inline const std::wstring kMedium = L"E:\\bundor_e2e\\";

inline std::wstring DemoFile(const wchar_t* name) {
    return WinePath(BUNDOR_DEMO_MEDIUM) + L"\\soft\\" + name;
}

// Waits for a program and gives its exit code (STILL_ACTIVE when it did not end in time).
inline DWORD RunAndWait(std::wstring command, DWORD ms) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &si, &pi))
        return ~0u;
    DWORD code = STILL_ACTIVE;
    if (::WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return code;
}

// Where the kernel cannot execute 32-bit programs no 32-bit Wine program starts, the NSIS
// installer included: the 32-bit system's own hostname.exe tells.
inline bool Runs32Bit() {
    static const bool runs = RunAndWait(L"C:\\windows\\syswow64\\hostname.exe", 20000) == 0;
    return runs;
}

// A named CALLBACK: a lambda has no stdcall conversion in the 32-bit build.
inline BOOL CALLBACK AddVisible(HWND h, LPARAM l) {
    if (::IsWindowVisible(h)) reinterpret_cast<std::set<HWND>*>(l)->insert(h);
    return TRUE;
}

inline std::set<HWND> VisibleTopWindows() {
    std::set<HWND> windows;
    ::EnumWindows(AddVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// The launcher as a person starts it: its own process, in its own folder on the disc.
struct Launcher {
    PROCESS_INFORMATION pi{};
    HWND hMain = nullptr;
    explicit Launcher(const wchar_t* pszTitle = L"端到端") {
        STARTUPINFOW si{};
        si.cb = sizeof si;
        std::wstring command = L"\"" + kMedium + L"Setup.exe\"";
        if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              kMedium.c_str(), &si, &pi))
            return;
        // Found once shown: its controls exist by then.
        hMain = WaitFor([=] {
            const HWND h = ::FindWindowW(L"#32770", pszTitle);
            return h && ::IsWindowVisible(h) ? h : nullptr;
        });
    }
    ~Launcher() {
        if (::WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT)
            ::TerminateProcess(pi.hProcess, 99);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
    // Keys pressed in the launcher's window, as a person at the keyboard presses them.
    void Press(std::initializer_list<WORD> keys) const {
        ::SetForegroundWindow(hMain);
        ::Sleep(300);
        uitest::Keys(keys);
    }
    DWORD WaitForExit(DWORD ms) const {
        DWORD code = STILL_ACTIVE;
        if (::WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0)
            ::GetExitCodeProcess(pi.hProcess, &code);
        return code;
    }
};

inline void ClickCentre(HWND hWnd) {
    uitest::MouseTo(uitest::ScreenPoint(hWnd));
    ::Sleep(250);
    uitest::MouseButton(true);
    uitest::MouseButton(false);
}

// The installers that ran, by the "cmdline:" lines of the shared log, with what they saw.
inline std::vector<std::wstring> Ran(const std::vector<std::wstring>& log) {
    std::vector<std::wstring> ran;
    for (const std::wstring& line : log)
        if (line.rfind(L"cmdline: ", 0) == 0 || line.rfind(L"exists: ", 0) == 0)
            ran.push_back(line);
    return ran;
}

// A medium of its own: the launcher as Setup.exe, the stand-in installer under each of the
// names in soft\, and the catalogue text as Setup.INI (UTF-8 with a byte-order mark).
inline void WriteMedium(const std::wstring& ini, std::initializer_list<const wchar_t*> installers) {
    ::CreateDirectoryW(kMedium.c_str(), nullptr);
    ::CreateDirectoryW((kMedium + L"soft").c_str(), nullptr);
    ::CopyFileW(WinePath(BUNDOR_LAUNCHER).c_str(), (kMedium + L"Setup.exe").c_str(), FALSE);
    for (const wchar_t* name : installers)
        ::CopyFileW(FakeInstaller().c_str(), (kMedium + L"soft\\" + name).c_str(), FALSE);
    WriteFile(kMedium + L"Setup.INI", WideToUtf8(L"\xFEFF" + ini));
}

// The lines of a log that start with prefix, without it.
inline std::vector<std::wstring> LinesStartingWith(const std::vector<std::wstring>& lines,
                                                   const std::wstring& prefix) {
    std::vector<std::wstring> found;
    for (const std::wstring& line : lines)
        if (line.rfind(prefix, 0) == 0) found.push_back(line.substr(prefix.size()));
    return found;
}

// The point of a row's action link k (1 手动安装, 2 自动安装, 3 保存安装包), found as a person
// finds it: the k-th run of link-coloured text in the actions column of the row on screen.

inline bool FindLinkNow(HWND hList, int nRowTop, int k, POINT& at) {
    RECT rc{};
    ::GetClientRect(hList, &rc);
    const int x0 = rc.right - 260, cx = 260, y0 = nRowTop + 20, cy = 25;
    const POINT origin = uitest::ScreenPoint(hList, x0, y0);
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    const HDC hScreen = ::GetDC(nullptr);
    const HDC hMem = ::CreateCompatibleDC(hScreen);
    const HBITMAP hBmp = ::CreateDIBSection(hMem, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    const HGDIOBJ hOld = ::SelectObject(hMem, hBmp);
    ::BitBlt(hMem, 0, 0, cx, cy, hScreen, origin.x, origin.y, SRCCOPY);
    std::vector<bool> yellow(cx, false);
    const auto* px = static_cast<const BYTE*>(pBits);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) {
            const BYTE* p = px + (y * cx + x) * 4;  // blue, green, red
            if (p[2] > 200 && p[1] > 150 && p[1] < 240 && p[0] < 90) yellow[x] = true;
        }
    ::SelectObject(hMem, hOld);
    ::DeleteObject(hBmp);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
    // Runs of columns with link colour, apart by more than a few pixels.
    int nLink = 0, first = -1, last = -10;
    for (int x = 0; x <= cx; ++x) {
        const bool on = x < cx && yellow[x];
        if (on && first < 0) first = x;
        if (on) last = x;
        if (first >= 0 && (x == cx || (!on && x - last > 6))) {
            if (++nLink == k) {
                // On the text's upper half: a one-line row's links are hot only above the
                // row's middle.
                at = uitest::ScreenPoint(hList, x0 + (first + last) / 2, nRowTop + 30);
                return true;
            }
            first = -1;
        }
    }
    return false;
}

// The same, waiting for the row to be painted.
inline bool FindLink(HWND hList, int nRowTop, int k, POINT& at) {
    for (int i = 0; i < 50; ++i, ::Sleep(100))
        if (FindLinkNow(hList, nRowTop, k, at)) return true;
    return false;
}

// A click as a hand gives it: the list view tells a click from a drag by the time between.
inline void ClickLink(POINT at) {
    uitest::MouseTo(at);
    ::Sleep(250);
    uitest::MouseButton(true);
    ::Sleep(80);
    uitest::MouseButton(false);
}

// A test on a medium whose stand-in installers log to one file: the log starts empty and the
// pointer parked; an installer that logged its process id ("/pid") and was left running by the
// launcher is ended with the test, whatever the test saw.
class MediumTest : public ::testing::Test {
protected:
    explicit MediumTest(std::wstring log) : m_log(std::move(log)) {}
    void SetUp() override {
        ::DeleteFileW(m_log.c_str());
        uitest::MouseTo(POINT{2, 2});
    }
    void TearDown() override {
        for (const std::wstring& pid : LinesStartingWith(LogLines(m_log), L"pid: "))
            if (const HANDLE h = ::OpenProcess(PROCESS_TERMINATE, FALSE, std::stoul(pid))) {
                ::TerminateProcess(h, 99);
                ::CloseHandle(h);
            }
    }
    std::wstring m_log;
};

}  // namespace e2e
