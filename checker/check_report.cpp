#include "checker/check_report.h"

// An error: the launcher loses or misplaces something the author wrote, or fails to find or
// start something. A warning: it merely does something the author may not expect.
Severity SeverityOf(FindingKind kind) {
    switch (kind) {
        case FindingKind::FileUnreadable:
        case FindingKind::EntrySectionMissing:
        case FindingKind::CommandNotFound:
        case FindingKind::NoCategories:
        case FindingKind::NumberingGap:
        case FindingKind::WorkingDirWithoutBackslash:
        case FindingKind::CurrDirNotReplaced:
        case FindingKind::CdromMarkerNotRecognised:
        case FindingKind::IconNotFound:
        case FindingKind::ValueCut:
        case FindingKind::DuplicateSection:
        case FindingKind::DuplicateKey:
        case FindingKind::InvalidBytes:
        case FindingKind::Utf8ReadAsAnsi:
        case FindingKind::HashMismatch:
        case FindingKind::HashFileUnreadable:
        case FindingKind::HashValueInvalid:
        case FindingKind::HashNotListedRefused:
            return Severity::Error;
        case FindingKind::CategorySectionMissing:
        case FindingKind::RelativePath:
        case FindingKind::UnknownKey:
        case FindingKind::KeyWithoutEquals:
        case FindingKind::KeyOutsideSection:
        case FindingKind::NotANumber:
        case FindingKind::CommandMissing:
        case FindingKind::PackageNotMeasurable:
        case FindingKind::Utf8WithoutChinese:
        case FindingKind::LetterCaseDiffers:
        case FindingKind::ExitCodeUnreadable:
        case FindingKind::TimeoutUnreadable:
        case FindingKind::HashFileMissing:
        case FindingKind::HashNotListed:
            return Severity::Warning;
        case FindingKind::Encoding:
        case FindingKind::EntryListedSeveralTimes:
        case FindingKind::CdromCommand:
        case FindingKind::ListSectionMissing:
        case FindingKind::SectionNotRead:
            break;
    }
    return Severity::Info;
}

int ExitStatus(const CheckReport& report) {
    if (!report.bRead) return kExitUnreadable;
    int status = kExitClean;
    for (const Finding& finding : report.findings) {
        const Severity severity = SeverityOf(finding.kind);
        if (severity == Severity::Error) return kExitErrors;
        if (severity == Severity::Warning) status = kExitWarnings;
    }
    return status;
}
