// CShell: turns a catalogue command into an existing file and parameters, copies or starts it.
#pragma once

#include <array>

#include "app/wstring.h"
#include "ops/file_system.h"
#include "ops/process_starter.h"

// A command is free text: a file path that may hold blanks, optionally followed by a blank
// and parameters, optionally starting with the marker "cdrom:\" (look on every CD/DVD
// drive). Resolution finds where the program ends and its parameters begin by trying the
// blanks from the first on: the shortest program part that names an existing file or
// folder wins, the whole text being tried first at each blank.
//
// One object serves one thread. It shows no messages: callers report failures themselves.
class CShell {
public:
    explicit CShell(IFileSystem& fileSystem = PlatformFileSystem(),
                    IProcessStarter& starter = PlatformProcessStarter());
    // Stores the command and the parameters and resolves at once; see m_bFound.
    CShell(const WString& command, const WString& params,
           IFileSystem& fileSystem = PlatformFileSystem(),
           IProcessStarter& starter = PlatformProcessStarter());
    // Closes the process handle of a start without waiting.
    virtual ~CShell();

    CShell(const CShell&) = delete;
    CShell& operator=(const CShell&) = delete;

    // Starts over with a new command: closes the handle of an earlier start without waiting,
    // stores the texts, resolves them. Returns 1 when the file was found, else 0.
    int SetCommand(const WString& command, const WString& params);

    // The file part (m_strPath); the parameter part is copied into params.
    WString GetCommand(WString& params) const;

    // Resolves m_strPath and m_strParams in place and sets m_bFound; returns m_bFound.
    // Found: m_strPath is the existing file (with the CD/DVD root in front for a "cdrom:\"
    // command; a file found relative to the current folder as a full path, so that what was
    // found is what is started or copied, wherever the current folder goes later); the parameters
    // split off the command come first in m_strParams, then one blank, then the parameters given
    // before. Not found: m_strPath is the command trimmed of white space, marker and all, and
    // m_strParams is unchanged.
    int Resolve();

    // Copies the found file to destination; an existing destination is overwritten unless
    // failIfExists is non-zero. Returns 1 on success, 0 on failure or when nothing was found.
    int CopyTo(const WString& destination, int failIfExists);

    // Starts the found file with m_strParams, shown normally, and returns:
    // - null when nothing was found (nothing is started) or when no process was created;
    // - without waiting: the live process handle, also kept in m_hProcess. It stays owned by
    //   this object and is closed by the next Execute or SetCommand or by the destructor;
    //   callers must not close it.
    // - with waiting: once the process has ended its handle is closed, m_hProcess is null and
    //   the result is EndedProcess(), a non-null value that is no handle; compare it only
    //   with null.
    ProcessHandle Execute(int wait);
    // The same, waiting at most timeoutMs milliseconds (kWaitWithoutLimit: no limit). When the
    // time is up first, m_bTimedOut is 1, the process is left running (its handle closed) and
    // the result is EndedProcess() too. When it ended, m_nExitCode is its exit code.
    ProcessHandle Execute(int wait, uint32_t timeoutMs);

    // What Execute returns after a wait that ended.
    static ProcessHandle EndedProcess();

    // The drive roots "C:\" to "Z:\" that a "cdrom:\" command is looked for on, in order.
    static const std::array<WString, 24>& DriveTable();

    int m_bFound = 0;  // 1 when the last resolution found the file
    // 1 when it found it on a CD/DVD drive through "cdrom:\" (m_strPath is then "X:\rest").
    int m_bOnCdromDrive = 0;
    ProcessHandle m_hProcess = nullptr;  // the live process of a start without waiting
    WString m_strPath;                   // the file part; see Resolve
    WString m_strParams;                 // the parameter part; see Resolve
    uint32_t m_nExitCode = 0;            // the exit code of the last waited start that ended
    int m_bTimedOut = 0;                 // 1 when the last waited start did not end in time

private:
    void CloseProcess();

    IFileSystem* m_pFileSystem;
    IProcessStarter* m_pStarter;
};
