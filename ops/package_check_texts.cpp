#include "ops/package_check_texts.h"

#include "ops/run_log.h"

WString RefusalRecordEnd(PackageCheckOutcome outcome) {
    if (!IsRefused(outcome)) return {};
    return outcome == PackageCheckOutcome::NotListedRefused ? kNotListedRecordEnd
                                                            : kHashFailedRecordEnd;
}

WString RefusalMessage(PackageCheckOutcome outcome, const WString& command) {
    if (!IsRefused(outcome)) return {};
    const WChar* message =
        outcome == PackageCheckOutcome::NotListedRefused ? kNotListedMessage : kHashFailedMessage;
    return message + WString(kOriginalPathLabel) + command;
}

WString RunLogWord(PackageCheckOutcome outcome) {
    switch (outcome) {
        case PackageCheckOutcome::Verified:
            return runlog::kVerified;
        case PackageCheckOutcome::HashDiffers:
            return runlog::kHashMismatch;
        case PackageCheckOutcome::Unreadable:
            return runlog::kUnreadable;
        case PackageCheckOutcome::NotListedRefused:
            return runlog::kNotListed;
        case PackageCheckOutcome::NotListed:
            break;
    }
    return {};
}
