// The texts of a batch run: progress titles, save destinations and the final messages.
#pragma once

#include "app/wstring.h"

namespace batch {

enum class RunKind { Install = 0, Save = 1 };

// "正在安装...33.3% " or "正在保存...33.3% ": the share of entries begun, with one decimal
// and a trailing blank; the file being worked on follows it in the title.
WString ProgressPrefix(RunKind kind, int done, int total);

// Where a save run copies a resolved file: the folder without one trailing backslash, then
// the file's name from its last backslash on. A path without any backslash (a file found
// relative to the current folder) keeps its whole name behind a backslash of its own, so
// the copy never goes onto the folder itself.
WString SaveDestination(const WString& saveDir, const WString& resolvedPath);

// The final texts: the message box after a run without failures ...
WString DoneText(RunKind kind);
WString DoneCaption(RunKind kind);
// ... and the report's caption and footer after a run with failures.
WString FailureCaption(RunKind kind);
WString FailureFooter(RunKind kind, const WString& saveDir);

}  // namespace batch
