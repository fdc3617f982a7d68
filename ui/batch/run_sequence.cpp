#include "ui/batch/run_sequence.h"

namespace batch {

namespace {

// One entry: resolve, show where the run is, then start or copy. True on success.
bool RunEntry(const RunParams& params, CShell& shell, int done, int total, IRunWindow& window,
              WString& text) {
    const WString& command = (*params.commands)[static_cast<size_t>(done)];
    const bool found = shell.SetCommand(command, WString()) != 0;
    WString unusedParams;
    const WString path = shell.GetCommand(unusedParams);

    // The title and the bar move before the installer runs, so they name the one running.
    text = ProgressPrefix(params.kind, done + 1, total) + path;
    window.SetTitle(text);
    window.StepBar();

    if (!found) return false;
    if (params.kind == RunKind::Install) return shell.Execute(1) != nullptr;
    return shell.CopyTo(SaveDestination(params.saveDir, path), 0) != 0;
}

}  // namespace

std::vector<WString> RunBatch(const RunParams& params, CShell& shell, IRunWindow& window) {
    std::vector<WString> failures;
    const int total = params.commands ? static_cast<int>(params.commands->size()) : 0;
    window.StartBar(total);
    window.SetTitle(ProgressPrefix(params.kind, 0, total));

    WString text;
    for (int done = 0; done < total; ++done) {
        if (!RunEntry(params, shell, done, total, window, text)) {
            window.AddFailure(text);
            failures.push_back(text);
        }
    }

    if (failures.empty()) {
        if (params.kind == RunKind::Install && params.exitWhenDone) {
            window.EndProgram();
            return failures;  // only where ending the program returned (never on Windows)
        }
        window.ShowDone(DoneText(params.kind), DoneCaption(params.kind));
    } else {
        WString body;
        for (const WString& record : failures) body += record + WSTR("\r\n");
        window.ShowReport(FailureCaption(params.kind), body,
                          FailureFooter(params.kind, params.saveDir));
    }
    window.Close();
    return failures;
}

}  // namespace batch
