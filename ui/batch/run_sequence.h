// One batch run, from the first entry to its final message: the order of the steps, the
// titles, the failure records and the choice of how the run ends. The windows stay behind
// IRunWindow, so that the sequence runs natively under test.
#pragma once

#include <vector>

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
    virtual void ShowReport(const WString& caption, const WString& body,
                            const WString& footer) = 0;
    // Ends the program after an install run without failures that was asked to. Does not
    // return on the real window.
    virtual void EndProgram() = 0;
    // The progress window closes; nothing of the window is touched after it.
    virtual void Close() = 0;
};

struct RunParams {
    RunKind kind = RunKind::Install;
    const std::vector<WString>* commands = nullptr;  // in catalogue order, not owned
    bool exitWhenDone = false;                       // install runs only
    WString saveDir;                                 // save runs only
};

// Tries every command exactly once, in order, then ends the run. The shell resolves, starts
// (waiting) or copies; a command whose file is missing, that cannot be started or that cannot
// be copied is a failure and the run goes on. Returns the failure records, as the titles
// showed them.
std::vector<WString> RunBatch(const RunParams& params, CShell& shell, IRunWindow& window);

}  // namespace batch
