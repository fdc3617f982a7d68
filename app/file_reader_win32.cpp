// Reading a whole file with CreateFileW / ReadFile.
#include <windows.h>

#include "app/file_reader.h"

bool ReadWholeFile(const WString& path, std::string& bytes) {
    bytes.clear();
    // Shared as the platform's profile reader opens it: another program may have it open.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) != 0 && size.QuadPart >= 0 &&
              static_cast<unsigned long long>(size.QuadPart) <= kMaxReadFileSize;
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        size_t done = 0;
        while (done < bytes.size()) {
            DWORD got = 0;
            const DWORD want = static_cast<DWORD>(bytes.size() - done);
            if (!ReadFile(file, bytes.data() + done, want, &got, nullptr) || got == 0) break;
            done += got;
        }
        bytes.resize(done);  // a file that shrank meanwhile gives what could be read
    }
    CloseHandle(file);
    if (!ok) bytes.clear();
    return ok;
}
