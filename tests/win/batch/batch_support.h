// Helpers of the batch-run window tests: test folders, the stand-in installer, its log, and a
// watcher thread that looks at the run's windows from outside and answers them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/utf.h"

namespace batchtest {

inline std::wstring ToWindowsPath(const std::string& unixPath) {
    std::wstring path = L"Z:" + Utf8ToWide(unixPath);
    for (wchar_t& unit : path)
        if (unit == L'/') unit = L'\\';
    return path;
}

inline std::wstring FakeInstaller() {
    return ToWindowsPath(BUNDOR_FAKE_INSTALLER);
}

// A fresh folder under the temporary folder (ending in a backslash), removed at the end.
class TempFolder {
public:
    explicit TempFolder(const wchar_t* pszName) {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        m_path = std::wstring(temp) + pszName + L"\\";
        Remove(m_path);
        ::CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~TempFolder() { Remove(m_path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& Path() const { return m_path; }

private:
    static void Remove(const std::wstring& folder) {
        WIN32_FIND_DATAW data;
        const HANDLE find = ::FindFirstFileW((folder + L"*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = data.cFileName;
                if (name == L"." || name == L"..") continue;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    Remove(folder + name + L"\\");
                } else {
                    ::SetFileAttributesW((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
                    ::DeleteFileW((folder + name).c_str());
                }
            } while (::FindNextFileW(find, &data));
            ::FindClose(find);
        }
        ::RemoveDirectoryW(folder.c_str());
    }
    std::wstring m_path;
};

inline void WriteText(const std::wstring& path, const std::string& bytes) {
    const HANDLE h =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(h);
}

// The file's bytes, or "<missing>".
inline std::string ReadText(const std::wstring& path) {
    const HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(h, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    ::CloseHandle(h);
    return bytes;
}

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
