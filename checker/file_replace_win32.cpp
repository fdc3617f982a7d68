// Replacing a file on Windows: a temporary file in the same folder, FlushFileBuffers, then
// MoveFileExW over the old name.
#include <windows.h>

#include <algorithm>
#include <string>

#include "checker/file_replace.h"

namespace {

WString Reason(const wchar_t* step, DWORD code) {
    return WString(step) + L": error " + std::to_wstring(code);
}

}  // namespace

bool ReplaceFileContent(const WString& path, std::string_view bytes, WString& error) {
    const WString temporary = path + L".bundor-" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = Reason(L"CreateFileW", GetLastError());
        return false;
    }
    const wchar_t* step = nullptr;
    DWORD code = 0;
    while (!bytes.empty() && step == nullptr) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        DWORD wrote = 0;
        if (!WriteFile(file, bytes.data(), chunk, &wrote, nullptr) || wrote == 0) {
            step = L"WriteFile";
            code = GetLastError();
        }
        bytes.remove_prefix(wrote);
    }
    if (step == nullptr && !FlushFileBuffers(file)) {
        step = L"FlushFileBuffers";
        code = GetLastError();
    }
    if (!CloseHandle(file) && step == nullptr) {
        step = L"CloseHandle";
        code = GetLastError();
    }
    if (step == nullptr && !MoveFileExW(temporary.c_str(), path.c_str(),
                                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        step = L"MoveFileExW";
        code = GetLastError();
    }
    if (step != nullptr) {
        error = Reason(step, code);
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}
