// Full paths on Windows: GetFullPathNameW, with backslashes.
#include <windows.h>

#include <vector>

#include "checker/full_path.h"

namespace {

WString FullPath(const WString& path) {
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
    return full;
}

}  // namespace

WString FolderOfFile(const WString& path) {
    const WString full = FullPath(path);
    const size_t slash = full.rfind(L'\\');
    return slash == WString::npos ? WString() : full.substr(0, slash + 1);
}

WString FullFolderPath(const WString& folder) {
    WString full = FullPath(folder);
    if (full.empty() || full.back() != L'\\') full += L'\\';
    return full;
}
