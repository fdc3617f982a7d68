// The launcher's words for a refused package file: the end of a batch run's failure record,
// and the message of a row link.
#pragma once

#include "app/wstring.h"
#include "ops/package_check.h"

// The end of a failure record, after the title the run showed for the entry.
inline constexpr const WChar* kHashFailedRecordEnd = WSTR("（文件校验失败）");
inline constexpr const WChar* kNotListedRecordEnd = WSTR("（文件未列入校验清单）");

// A row link's message box: the message, then the command as the catalogue gave it.
inline constexpr const WChar* kHashFailedMessage =
    WSTR("文件校验失败, 安装文件可能已损坏或被修改!");
inline constexpr const WChar* kNotListedMessage = WSTR("文件未列入校验清单, 不能确认安装文件完好!");
inline constexpr const WChar* kOriginalPathLabel = WSTR("\n\n文件原始路径: ");
// The box has the action's caption and the exclamation icon (MB_ICONEXCLAMATION).
inline constexpr unsigned kRefusalIcon = 0x30;

// The end of the record for a refused outcome; empty when the file may be used. A file that
// cannot be read to be hashed is refused as one whose hash differs.
WString RefusalRecordEnd(PackageCheckOutcome outcome);

// The row link's message for a refused outcome: the message, the label and the command;
// empty when the file may be used.
WString RefusalMessage(PackageCheckOutcome outcome, const WString& command);

// The outcome's word in the run log: "verified", "hash mismatch", "unreadable" or "not
// listed"; empty for an unlisted file that is used unhashed (nothing was checked).
WString RunLogWord(PackageCheckOutcome outcome);
