#include "checker/check_report.h"

Severity SeverityOf(FindingKind kind) {
    switch (kind) {
        case FindingKind::FileUnreadable:
        case FindingKind::CategorySectionMissing:
        case FindingKind::EntrySectionMissing:
        case FindingKind::CommandNotFound:
            return Severity::Error;
        case FindingKind::Encoding:
        case FindingKind::EntryListedSeveralTimes:
        case FindingKind::CdromCommand:
        case FindingKind::ListSectionMissing:
        case FindingKind::SectionNotRead:
            return Severity::Info;
        default:
            return Severity::Warning;
    }
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
