// One batch run, from the first entry to its final message: the order of the steps, the
// titles, the failure records and the choice of how the run ends. The windows stay behind
// IRunWindow, so that the sequence runs natively under test.
#pragma once

#include <cstdint>
#include <vector>

#include "app/run_options.h"
#include "ops/package_check.h"
#include "ops/run_log.h"
#include "ops/shell.h"
#include "ui/batch/run_texts.h"

namespace batch {

// What a run does to its windows. Every call returns once the window has acted on it.
class IRunWindow {
public:
    virtual ~IRunWindow() = default;
    // The bar's range 0 ... total, at position 0.
    virtual void StartBar(int total) = 0;
    virtual void SetTitle(const WString& text) = 0;
    // The bar one entry further.
    virtual void StepBar() = 0;
    virtual void AddFailure(const WString& record) = 0;
    // The message box after a run without failures; returns when the user has closed it.
    virtual void ShowDone(const WString& text, const WString& caption) = 0;
    // The report after a run with failures; returns when the user has closed it.
    virtual void ShowReport(const WString& caption, const WString& body, const WString& footer) = 0;
    // Ends the program with this exit code. Does not return on the real window.
    virtual void EndProgram(uint32_t exitCode) = 0;
    // The progress window closes; nothing of the window is touched after it.
    virtual void Close() = 0;
};

struct RunParams {
    RunKind kind = RunKind::Install;
    const std::vector<WString>* commands = nullptr;  // in catalogue order, not owned
    // Install runs: how each command's installer is judged and waited for, by the index of
    // its command; null or shorter: any end is a success and the wait has no limit.
    const std::vector<InstallerPolicy>* policies = nullptr;
    // Install runs that the countdown started: end the program after a run without failures.
    bool exitWhenDone = false;
    // ... and with exitAlways also after one with failures, without the report; the exit code
    // then says how it went (ExitCodeOf).
    bool exitAlways = false;
    WString saveDir;         // save runs only
    IRunLog* log = nullptr;  // null: no run log
    // Whether a found file may be started or copied ([Hashes], RequireHashes); null: always.
    const CPackageCheck* check = nullptr;
};

struct RunResult {
    std::vector<WString> failures;  // the failure records, as the report lists them
    bool restartAsked = false;      // an installer ended with 3010 or 1641
};

// The exit code of a program that ends after a countdown run: the number of failed entries;
// 3010 when none failed and one asked for a restart; otherwise 0.
uint32_t ExitCodeOf(const RunResult& result);

// Tries every command exactly once, in order, then ends the run. The shell resolves, starts
// (waiting, at most the entry's timeout) or copies; a command whose file is missing, that
// the package check refuses, that cannot be started or copied, whose installer ends with a
// code its list does not accept, or that does not end in time is a failure, and the run goes
// on.
RunResult RunBatch(const RunParams& params, CShell& shell, IRunWindow& window);

}  // namespace batch
