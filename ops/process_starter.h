// Starting an installer and waiting for it: the process services that CShell needs.
#pragma once

#include <cstdint>

#include "app/wstring.h"

// An opaque process handle (a Win32 HANDLE on Windows); null when no process was created.
using ProcessHandle = void*;

class IProcessStarter {
public:
    virtual ~IProcessStarter() = default;

    // Starts the file with its default action and the parameters, shown normally. Returns the
    // new process, or null when no process was created, whatever the cause.
    virtual ProcessHandle Start(const WString& file, const WString& params) = 0;

    // Waits until the process has ended, at most timeoutMs milliseconds (kWaitWithoutLimit in
    // app/run_options.h: no limit). True when it ended, with its exit code in exitCode; false
    // when the time was up first (the process goes on).
    virtual bool Wait(ProcessHandle process, uint32_t timeoutMs, uint32_t& exitCode) = 0;

    // Releases the handle; the process itself goes on running.
    virtual void Close(ProcessHandle process) = 0;
};

// The platform's starter. On Windows it is the shell (ShellExecuteExW). In the native (Linux)
// build nothing is ever started: that build only checks catalogues, so its Start always
// returns null and every Execute there reports a failed start.
IProcessStarter& PlatformProcessStarter();
