// The process's run log on Windows: the catalogue's path with its environment variables
// expanded, appended to in UTF-8, the local time from the system clock.
#include <windows.h>

#include <cstdio>
#include <memory>

#include "ops/quiet_errors.h"
#include "ops/run_log.h"

namespace {

std::string LocalDateTime() {
    SYSTEMTIME t{};
    ::GetLocalTime(&t);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay,
                  t.wHour, t.wMinute, t.wSecond);
    return text;
}

WString ExpandEnvironment(const WString& path) {
    const DWORD n = ::ExpandEnvironmentStringsW(path.c_str(), nullptr, 0);
    if (n == 0) return path;
    WString expanded(n, L'\0');
    const DWORD written = ::ExpandEnvironmentStringsW(path.c_str(), expanded.data(), n);
    if (written == 0 || written > n) return path;
    expanded.resize(written - 1);
    return expanded;
}

// Opens the file for appending when the first line comes, on the writer's thread, and keeps
// it open: one open per run log, however many lines. Others may read it meanwhile.
class CAppendFile {
public:
    explicit CAppendFile(WString path) : m_path(std::move(path)) {}
    ~CAppendFile() {
        if (m_hFile != INVALID_HANDLE_VALUE) ::CloseHandle(m_hFile);
    }
    bool Append(const std::string& line) {
        if (m_hFile == INVALID_HANDLE_VALUE) {
            // No "no disc" box for a log on a drive without a medium.
            const QuietErrors quiet;
            m_hFile =
                ::CreateFileW(m_path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (m_hFile == INVALID_HANDLE_VALUE) return false;
        }
        DWORD written = 0;
        return ::WriteFile(m_hFile, line.data(), static_cast<DWORD>(line.size()), &written,
                           nullptr) &&
               written == line.size();
    }

private:
    WString m_path;
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
};

// Made once and never destroyed: the writer's thread may outlive every window.
CRunLogWriter* g_pRunLog = nullptr;

}  // namespace

IRunLog* OpenRunLog(const WString& configuredPath) {
    if (g_pRunLog || configuredPath.empty()) return g_pRunLog;
    const WString path = ExpandEnvironment(configuredPath);
    if (path.find(L'\0') != WString::npos) return nullptr;
    auto file = std::make_shared<CAppendFile>(path);
    g_pRunLog = new CRunLogWriter(LocalDateTime,
                                  [file](const std::string& line) { return file->Append(line); });
    return g_pRunLog;
}

IRunLog* ProcessRunLog() {
    return g_pRunLog;
}

void FlushRunLog(unsigned nMilliseconds) {
    if (g_pRunLog) g_pRunLog->Flush(nMilliseconds);
}
