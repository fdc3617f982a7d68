// The folder of a file on Windows: GetFullPathNameW, cut after the last backslash.
#include <windows.h>

#include <vector>

#include "checker/full_path.h"

WString FolderOfFile(const WString& path) {
    WString full = path;
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed != 0) {
        std::vector<wchar_t> buffer(needed);
        const DWORD length = GetFullPathNameW(path.c_str(), needed, buffer.data(), nullptr);
        if (length != 0 && length < needed) full.assign(buffer.data(), length);
    }
    for (wchar_t& c : full) {
        if (c == L'/') c = L'\\';
    }
    const size_t slash = full.rfind(L'\\');
    return slash == WString::npos ? WString() : full.substr(0, slash + 1);
}
