// Test media on disc for the launcher's tests, benchmark and gallery: folders under the
// temporary folder, files of given bytes and sizes written and read back, the catalogue host of a
// launcher copied in as Setup.exe, and the launcher's main window found from outside its process.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "app/catalogue_host.h"
#include "app/utf.h"

namespace testmedium {

// A Unix path (a build-time path of this checkout) as Wine's Z: drive shows it; a path that is
// already a Windows one keeps its drive.
inline std::wstring WinePath(std::wstring path) {
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return !path.empty() && path.front() == L'\\' ? L"Z:" + path : path;
}

inline std::wstring WinePath(const char* pszUtf8) {
    const WString path = Utf8ToWide(pszUtf8);
    return WinePath(std::wstring(path.begin(), path.end()));
}

#ifdef BUNDOR_FAKE_INSTALLER
// The stand-in installer of tests/win/fake_installer.
inline std::wstring FakeInstaller() {
    return WinePath(BUNDOR_FAKE_INSTALLER);
}
#endif

// Writes bytes to a new file, then makes it `size` bytes long where that is more (sparse beyond
// what is written).
inline bool WriteFile(const std::wstring& path, const std::string& bytes, ULONGLONG size = 0) {
    const HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    if (ok && size > bytes.size()) {
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(size);
        ok = ::SetFilePointerEx(h, at, nullptr, FILE_BEGIN) && ::SetEndOfFile(h);
    }
    ::CloseHandle(h);
    return ok;
}

// What is left to read from a file or pipe, up to its end.
inline std::string ReadToEnd(HANDLE h) {
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    return bytes;
}

// The file's bytes, or "<missing>".
inline std::string ReadText(const std::wstring& path) {
    const HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    const std::string bytes = ReadToEnd(h);
    ::CloseHandle(h);
    return bytes;
}

// Removes a folder (its path ends in '\') with everything in it.
inline void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((folder + L"*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            // Read-only files and folders of the tests go as well.
            ::SetFileAttributesW((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(folder + name + L"\\");
            else
                ::DeleteFileW((folder + name).c_str());
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(folder.c_str());
}

// A fresh folder under the temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& name) {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        m_path = std::wstring(temp) + name + L"\\";
        RemoveTree(m_path);
        ::CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~TempFolder() { RemoveTree(m_path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return m_path; }

    // A file of exactly `size` bytes, of which nothing is written.
    bool WriteFile(const std::wstring& name, ULONGLONG size) const {
        return testmedium::WriteFile(m_path + name, {}, size);
    }
    bool WriteFile(const std::wstring& name, const std::string& bytes) const {
        return testmedium::WriteFile(m_path + name, bytes);
    }

private:
    std::wstring m_path;
};

// The launcher as if it were Setup.exe in the medium's folder (which ends in '\').
class MediumHost : public ICatalogueHost {
public:
    explicit MediumHost(std::wstring folder) : m_folder(std::move(folder)) {}
    WString ModulePath() const override { return m_folder + L"Setup.exe"; }
    WString ProfileName() const override { return m_profile; }
    void SetProfileName(const WString& path) override { m_profile = path; }

private:
    std::wstring m_folder;
    std::wstring m_profile = L"Setup.INI";
};

inline BOOL CALLBACK FindShownDialogOf(HWND hWnd, LPARAM lParam) {
    auto* found = reinterpret_cast<std::pair<DWORD, HWND>*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    wchar_t cls[16] = {};
    ::GetClassNameW(hWnd, cls, 16);
    if (pid != found->first || !::IsWindowVisible(hWnd) || ::lstrcmpW(cls, L"#32770") != 0)
        return TRUE;
    found->second = hWnd;
    return FALSE;
}

// The process's visible dialog window (the launcher's main window), or null while there is none.
inline HWND FindShownDialog(DWORD pid) {
    std::pair<DWORD, HWND> found{pid, nullptr};
    ::EnumWindows(FindShownDialogOf, reinterpret_cast<LPARAM>(&found));
    return found.second;
}

}  // namespace testmedium
