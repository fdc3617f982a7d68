// The run log: one line per installer started, package saved or failure, from batch runs and
// row links alike, for a person or a deployment tool to read afterwards. Writing it never
// stops or slows a run: lines are handed to a writer thread, and dropped when it cannot keep
// up or the file cannot be written.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "app/wstring.h"

enum class RunLogKind { BatchInstall, BatchSave, LinkInstall, LinkSave };

struct RunLogRecord {
    RunLogKind kind = RunLogKind::BatchInstall;
    WString command;  // as configured
    WString file;     // as resolved; the trimmed command when not found
    WString outcome;  // see the Outcome functions below
    double seconds = 0;
};

// The outcome words of a line.
namespace runlog {
WString Exited(uint32_t exitCode, bool accepted);  // "exit N", "exit N (failure)"
inline const WChar* const kStarted = WSTR("started");
inline const WChar* const kNotFound = WSTR("not found");
inline const WChar* const kNotStarted = WSTR("not started");
inline const WChar* const kTimedOut = WSTR("timed out");
inline const WChar* const kCopied = WSTR("copied");
inline const WChar* const kCopyFailed = WSTR("copy failed");
// A package check's own line, before the file is used (or instead, when it is refused).
inline const WChar* const kVerified = WSTR("verified");
inline const WChar* const kHashMismatch = WSTR("hash mismatch");
inline const WChar* const kUnreadable = WSTR("unreadable");
inline const WChar* const kNotListed = WSTR("not listed");
}  // namespace runlog

// One line in UTF-8, ending in CR LF: the date and time as given ("2026-12-09 10:15:02"),
// then kind, command, file, outcome and seconds with one decimal, tab-separated. Tabs and line
// breaks inside a field become blanks, so a line is always one record of six fields.
std::string FormatRunLogLine(const RunLogRecord& record, const std::string& dateTime);

class IRunLog {
public:
    virtual ~IRunLog() = default;
    virtual void Write(const RunLogRecord& record) = 0;
};

// The writer: Write formats the line at once (with the clock's local time) and queues it; a
// thread of its own appends the lines through the sink, which opens the file when it first
// needs it. A sink that fails once is not asked again.
class CRunLogWriter final : public IRunLog {
public:
    using Clock = std::function<std::string()>;            // local "YYYY-MM-DD HH:MM:SS"
    using Sink = std::function<bool(const std::string&)>;  // appends; false: cannot
    CRunLogWriter(Clock clock, Sink sink, size_t nMaxQueued = 4096);
    // Lets the thread go without waiting for it: a sink stuck on an unreachable share must
    // not hold the process. The thread writes what is still queued if it can; Flush first to
    // be sure of it.
    ~CRunLogWriter() override;
    CRunLogWriter(const CRunLogWriter&) = delete;
    CRunLogWriter& operator=(const CRunLogWriter&) = delete;

    void Write(const RunLogRecord& record) override;
    // Waits at most nMilliseconds until every queued line is written (or dropped). True when
    // the queue is empty.
    bool Flush(unsigned nMilliseconds);

private:
    struct Shared;
    static void Work(std::shared_ptr<Shared> shared);
    Clock m_clock;
    std::shared_ptr<Shared> m_shared;
};

// The process's run log, or null when the catalogue names none. The first call with a path
// makes it; on Windows environment variables in the path are expanded then.
IRunLog* OpenRunLog(const WString& configuredPath);
IRunLog* ProcessRunLog();
// Waits at most nMilliseconds for the process's run log to be written out.
void FlushRunLog(unsigned nMilliseconds);
