// The Win32 file system: FindFirstFileW, GetDriveTypeW, CopyFileW, and CreateFileW for sizes.
#include <windows.h>

#include "ops/file_system.h"

namespace {

class CWin32FileSystem final : public IFileSystem {
public:
    unsigned DriveType(const WString& root) override { return ::GetDriveTypeW(root.c_str()); }

    bool Copy(const WString& from, const WString& to, bool failIfExists) override {
        // A NUL inside a text would make the copy act on a shorter, different name.
        if (from.find(L'\0') != WString::npos || to.find(L'\0') != WString::npos) return false;
        return ::CopyFileW(from.c_str(), to.c_str(), failIfExists ? TRUE : FALSE) != FALSE;
    }

protected:
    bool FindMatch(const WString& text) override {
        // A CD/DVD drive without a disc must read as "not there", not raise the system's
        // "insert a disc" box in the middle of a search over every drive.
        DWORD oldMode = 0;
        const bool quiet = ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &oldMode) != FALSE;
        WIN32_FIND_DATAW data;
        const HANDLE find = ::FindFirstFileW(text.c_str(), &data);
        if (quiet) ::SetThreadErrorMode(oldMode, nullptr);
        if (find == INVALID_HANDLE_VALUE) return false;
        ::FindClose(find);
        return true;
    }

    bool MeasureFile(const WString& path, uint64_t& size) override {
        DWORD oldMode = 0;
        const bool quiet = ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &oldMode) != FALSE;
        // No access rights and no sharing, as the main window opens a package. Without the
        // backup flag a folder cannot be opened; a file held open elsewhere can, as no data
        // access is asked for.
        const HANDLE file = ::CreateFileW(path.c_str(), 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (quiet) ::SetThreadErrorMode(oldMode, nullptr);
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
