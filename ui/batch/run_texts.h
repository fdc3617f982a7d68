// The texts of a batch run: progress titles, save destinations and the final messages.
#pragma once

#include <cstdint>

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

// The endings of a failure record after its title: an installer that ended with a code its
// list does not accept, "（退出代码 1603）", and one that did not end in time,
// "（超过 600 秒未结束）".
WString ExitCodeSuffix(uint32_t exitCode);
WString TimedOutSuffix(int32_t nSeconds);

// The final texts: the message box after a run without failures (with a note when an
// installer asked for a restart) ...
WString DoneText(RunKind kind, bool restartAsked = false);
WString DoneCaption(RunKind kind);
// ... and the report's caption and footer after a run with failures.
WString FailureCaption(RunKind kind);
WString FailureFooter(RunKind kind, const WString& saveDir);

}  // namespace batch
