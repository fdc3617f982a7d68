// The Win32 process starter: ShellExecuteExW, WaitForSingleObject and CloseHandle.
#include <windows.h>
#include <shellapi.h>

#include "ops/process_starter.h"

namespace {

class CWin32ProcessStarter final : public IProcessStarter {
public:
    ProcessHandle Start(const WString& file, const WString& params) override {
        // The shell would read only up to a NUL and start something else than was asked.
        if (file.find(L'\0') != WString::npos || params.find(L'\0') != WString::npos) {
            return nullptr;
        }
        // No verb: the file's default action. No directory: the program inherits ours.
        SHELLEXECUTEINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = SEE_MASK_NOCLOSEPROCESS;
        info.lpFile = file.c_str();
        info.lpParameters = params.c_str();
        info.nShow = SW_SHOW;
        // Only a process handle counts as a start: the shell may succeed without creating a
        // process (a document handed to a running program), and then there is nothing to
        // wait for.
        ::ShellExecuteExW(&info);
        return info.hProcess;
    }

    bool Wait(ProcessHandle process, uint32_t timeoutMs, uint32_t& exitCode) override {
        if (::WaitForSingleObject(process, timeoutMs) == WAIT_TIMEOUT) return false;
        DWORD code = 0;
        // The process has ended, so its code can be read; should that fail, the code says so.
        exitCode = ::GetExitCodeProcess(process, &code) ? code : STILL_ACTIVE;
        return true;
    }

    void Close(ProcessHandle process) override { ::CloseHandle(process); }
};

}  // namespace

IProcessStarter& PlatformProcessStarter() {
    static CWin32ProcessStarter starter;
    return starter;
}
