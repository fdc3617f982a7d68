// Starting an installer and waiting for it: the process services that CShell needs.
#pragma once

#include "app/wstring.h"

// An opaque process handle (a Win32 HANDLE on Windows); null when no process was created.
using ProcessHandle = void*;

class IProcessStarter {
public:
    virtual ~IProcessStarter() = default;

    // Starts the file with its default action and the parameters, shown normally. Returns the
    // new process, or null when no process was created, whatever the cause.
    virtual ProcessHandle Start(const WString& file, const WString& params) = 0;

    // Waits, without time limit, until the process has ended.
    virtual void Wait(ProcessHandle process) = 0;

    // Releases the handle; the process itself goes on running.
    virtual void Close(ProcessHandle process) = 0;
};

// The platform's starter. On Windows it is the shell (ShellExecuteExW). In the native (Linux)
// build nothing is ever started: that build only checks catalogues, so its Start always
// returns null and every Execute there reports a failed start.
IProcessStarter& PlatformProcessStarter();
