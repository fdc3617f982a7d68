// The Win32 file system: FindFirstFileW, GetDriveTypeW, CopyFileW, and CreateFileW for sizes,
// with one attribute query in front of the search and the open for ordinary names.
#include <windows.h>

#include "ops/file_system.h"
#include "ops/quiet_errors.h"

namespace {

// The reserved device names (CON, NUL, COM1 ...), with or without an extension, in any case:
// an attribute query may report them as present.
bool IsDeviceName(WStringView name) {
    name = name.substr(0, name.find(L'.'));
    while (!name.empty() && name.back() == L' ') name.remove_suffix(1);
    WString base;
    for (WChar c : name) base.push_back(c >= L'a' && c <= L'z' ? c - L'a' + L'A' : c);
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
        if (base == device) return true;
    return base.size() == 4 && (base.starts_with(L"COM") || base.starts_with(L"LPT")) &&
           base[3] >= L'1' && base[3] <= L'9';
}

// The attributes of a file or folder with an ordinary name: no wildcard, and a last component
// that is a name (not a root, a trailing separator, "." or "..", a stream or a device). Under
// Wine each search and each open is a round trip to the server, while this query is not: a
// catalogue's thousands of packages are found and measured many times faster. False when the
// name is not ordinary or the query finds nothing; the caller then asks as it always did.
bool QueryOrdinaryName(const WString& text, WIN32_FILE_ATTRIBUTE_DATA& data) {
    if (text.find_first_of(L"*?") != WString::npos) return false;
    const size_t slash = text.find_last_of(L"\\/");
    const WStringView last = WStringView(text).substr(slash == WString::npos ? 0 : slash + 1);
    if (last.empty() || last.find(L':') != WStringView::npos || last.back() == L'.' ||
        last.back() == L' ' || IsDeviceName(last))
        return false;
    const QuietErrors quiet;
    return ::GetFileAttributesExW(text.c_str(), GetFileExInfoStandard, &data) != FALSE;
}

class CWin32FileSystem final : public IFileSystem {
public:
    unsigned DriveType(const WString& root) override { return ::GetDriveTypeW(root.c_str()); }

    bool Copy(const WString& from, const WString& to, bool failIfExists) override {
        // A NUL inside a text would make the copy act on a shorter, different name.
        if (from.find(L'\0') != WString::npos || to.find(L'\0') != WString::npos) return false;
        return ::CopyFileW(from.c_str(), to.c_str(), failIfExists ? TRUE : FALSE) != FALSE;
    }

    // Only relative texts ("soft\a.exe", "\soft\a.exe", "E:a.exe") are completed: a full
    // path stays exactly as it was found.
    WString FullPath(const WString& text) override {
        const bool full = (text.size() >= 3 && text[1] == L':' && text[2] == L'\\') ||
                          text.rfind(L"\\\\", 0) == 0;
        if (full || text.find(L'\0') != WString::npos) return text;
        wchar_t buffer[MAX_PATH];
        const DWORD n = ::GetFullPathNameW(text.c_str(), MAX_PATH, buffer, nullptr);
        if (n == 0 || n >= MAX_PATH) return text;
        return WString(buffer, n);
    }

protected:
    bool FindMatch(const WString& text) override {
        WIN32_FILE_ATTRIBUTE_DATA attributes;
        if (QueryOrdinaryName(text, attributes)) return true;
        WIN32_FIND_DATAW data;
        HANDLE find = INVALID_HANDLE_VALUE;
        {
            const QuietErrors quiet;
            find = ::FindFirstFileW(text.c_str(), &data);
        }
        if (find == INVALID_HANDLE_VALUE) return false;
        ::FindClose(find);
        return true;
    }

    bool MeasureFile(const WString& path, uint64_t& size) override {
        WIN32_FILE_ATTRIBUTE_DATA attributes;
        if (QueryOrdinaryName(path, attributes)) {
            if (attributes.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
            size =
                (static_cast<uint64_t>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
            return true;
        }
        // No access rights and no sharing, as the main window opens a package. Without the
        // backup flag a folder cannot be opened; a file held open elsewhere can, as no data
        // access is asked for.
        HANDLE file = INVALID_HANDLE_VALUE;
        {
            const QuietErrors quiet;
            file = ::CreateFileW(path.c_str(), 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        }
        if (file == INVALID_HANDLE_VALUE) return false;
        LARGE_INTEGER bytes{};
        const bool measured = ::GetFileSizeEx(file, &bytes) != FALSE && bytes.QuadPart >= 0;
        const bool closed = ::CloseHandle(file) != FALSE;
        if (!measured || !closed) return false;
        size = static_cast<uint64_t>(bytes.QuadPart);
        return true;
    }
};

}  // namespace

IFileSystem& PlatformFileSystem() {
    static CWin32FileSystem fileSystem;
    return fileSystem;
}
