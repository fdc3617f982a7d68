#include "ui/batch/run_sequence.h"

#include <chrono>

#include "ops/package_check_texts.h"

namespace batch {

namespace {

using Clock = std::chrono::steady_clock;

const InstallerPolicy& PolicyOf(const RunParams& params, size_t index) {
    static const InstallerPolicy kAnyEnd;
    if (!params.policies || index >= params.policies->size()) return kAnyEnd;
    return (*params.policies)[index];
}

// One entry: resolve, show where the run is, then start or copy. Returns the failure record's
// ending after the title ("" for a plain failure) or nothing on success.
struct EntryOutcome {
    bool failed = false;
    WString recordSuffix;  // after the title in the failure record
    WString logOutcome;    // empty: no line of its own (the check's line says it all)
};

// The package check's verdict on a found file, in the run log when it hashed or refused it.
struct CheckLine {
    WString outcome;  // empty: nothing to log (no check, or an unlisted file allowed)
    double seconds = 0;
};

EntryOutcome RunEntry(const RunParams& params, CShell& shell, int done, int total,
                      IRunWindow& window, WString& text, RunResult& result, CheckLine& check) {
    const WString& command = (*params.commands)[static_cast<size_t>(done)];
    const bool found = shell.SetCommand(command, WString()) != 0;
    WString unusedParams;
    const WString path = shell.GetCommand(unusedParams);

    // The title and the bar move before the installer runs, so they name the one running.
    text = ProgressPrefix(params.kind, done + 1, total) + path;
    window.SetTitle(text);
    window.StepBar();

    if (!found) return {true, WString(), runlog::kNotFound};
    // Hashed here, on the run's thread, while the title names the entry.
    if (params.check && params.check->IsActive()) {
        const Clock::time_point began = Clock::now();
        const PackageCheckOutcome verdict = params.check->Check(path, shell.m_bOnCdromDrive != 0);
        check.outcome = RunLogWord(verdict);
        check.seconds = std::chrono::duration<double>(Clock::now() - began).count();
        if (IsRefused(verdict)) return {true, RefusalRecordEnd(verdict), WString()};
    }
    if (params.kind == RunKind::Save) {
        if (shell.CopyTo(SaveDestination(params.saveDir, path), 0))
            return {false, {}, runlog::kCopied};
        return {true, WString(), runlog::kCopyFailed};
    }
    const InstallerPolicy& policy = PolicyOf(params, static_cast<size_t>(done));
    if (!shell.Execute(1, TimeoutMilliseconds(policy.nTimeout)))
        return {true, WString(), runlog::kNotStarted};
    if (shell.m_bTimedOut) return {true, TimedOutSuffix(policy.nTimeout), runlog::kTimedOut};
    const bool accepted = policy.IsSuccess(shell.m_nExitCode);
    if (accepted && AsksForRestart(shell.m_nExitCode)) result.restartAsked = true;
    return {!accepted, accepted ? WString() : ExitCodeSuffix(shell.m_nExitCode),
            runlog::Exited(shell.m_nExitCode, accepted)};
}

}  // namespace

uint32_t ExitCodeOf(const RunResult& result) {
    if (!result.failures.empty()) return static_cast<uint32_t>(result.failures.size());
    return result.restartAsked ? 3010 : 0;
}

RunResult RunBatch(const RunParams& params, CShell& shell, IRunWindow& window) {
    RunResult result;
    const int total = params.commands ? static_cast<int>(params.commands->size()) : 0;
    window.StartBar(total);
    window.SetTitle(ProgressPrefix(params.kind, 0, total));

    WString text;
    for (int done = 0; done < total; ++done) {
        const Clock::time_point began = Clock::now();
        CheckLine check;
        const EntryOutcome outcome =
            RunEntry(params, shell, done, total, window, text, result, check);
        if (params.log) {
            RunLogRecord record;
            record.kind =
                params.kind == RunKind::Install ? RunLogKind::BatchInstall : RunLogKind::BatchSave;
            record.command = (*params.commands)[static_cast<size_t>(done)];
            WString unusedParams;
            record.file = shell.GetCommand(unusedParams);
            if (!check.outcome.empty()) {
                RunLogRecord checked = record;
                checked.outcome = check.outcome;
                checked.seconds = check.seconds;
                params.log->Write(checked);
            }
            if (!outcome.logOutcome.empty()) {
                record.outcome = outcome.logOutcome;
                record.seconds =
                    std::chrono::duration<double>(Clock::now() - began).count() - check.seconds;
                params.log->Write(record);
            }
        }
        if (outcome.failed) {
            const WString record = text + outcome.recordSuffix;
            window.AddFailure(record);
            result.failures.push_back(record);
        }
    }

    if (params.kind == RunKind::Install && params.exitWhenDone &&
        (params.exitAlways || result.failures.empty())) {
        window.EndProgram(params.exitAlways ? ExitCodeOf(result) : 0);
        return result;  // only where ending the program returned (never on Windows)
    }
    if (result.failures.empty()) {
        window.ShowDone(DoneText(params.kind, result.restartAsked), DoneCaption(params.kind));
    } else {
        WString body;
        for (const WString& record : result.failures) body += record + WSTR("\r\n");
        window.ShowReport(FailureCaption(params.kind), body,
                          FailureFooter(params.kind, params.saveDir));
    }
    window.Close();
    return result;
}

}  // namespace batch
