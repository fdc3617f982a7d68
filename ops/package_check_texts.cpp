#include "ops/package_check_texts.h"

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
