// Helpers of the end-to-end tests: the shipped launcher started as its own process from a
// medium on the CD-ROM drive E:, programs waited for, windows seen from outside, real clicks.
#pragma once

#include <windows.h>

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

}  // namespace e2e
