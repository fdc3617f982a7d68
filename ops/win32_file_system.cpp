// The Win32 file system: FindFirstFileW, GetDriveTypeW and CopyFileW.
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
};

}  // namespace

IFileSystem& PlatformFileSystem() {
    static CWin32FileSystem fileSystem;
    return fileSystem;
}
