#include "checker/json_report.h"

#include "checker/finding_text.h"
#include "checker/json_writer.h"

namespace {

const WChar* HashStateId(HashState state) {
    switch (state) {
        case HashState::Verified:
            return WSTR("verified");
        case HashState::HashDiffers:
            return WSTR("hash-differs");
        case HashState::Unreadable:
            return WSTR("unreadable");
        case HashState::NotListed:
            return WSTR("not-listed");
        case HashState::NotListedRefused:
            return WSTR("not-listed-refused");
        case HashState::NotChecked:
            break;
    }
    return WSTR("not-checked");
}

// What the check before a start or a copy does with a found command's file; only when the
// catalogue asks for checks, so that other documents stay as they were.
void WriteHash(CJsonWriter& json, const HashView& hash) {
    json.Key(WSTR("hash"));
    json.BeginObject();
    json.Key(WSTR("outcome"));
    json.String(HashStateId(hash.state));
    json.Key(WSTR("key"));
    json.String(hash.strKey);
    json.Key(WSTR("line"));
    if (hash.nLine > 0) {
        json.Number(hash.nLine);
    } else {
        json.Null();
    }
    json.EndObject();
}

void WriteCommand(CJsonWriter& json, WStringView name, const CommandView& command, bool hashCheck) {
    json.Key(name);
    json.BeginObject();
    json.Key(WSTR("command"));
    json.String(command.strCommand);
    json.Key(WSTR("found"));
    json.Bool(command.bFound);
    if (command.bFound) {
        json.Key(WSTR("program"));
        json.String(command.strProgram);
        json.Key(WSTR("parameters"));
        json.String(command.strParams);
        if (hashCheck) WriteHash(json, command.hash);
    }
    json.EndObject();
}

void WriteIcon(CJsonWriter& json, const IconView& icon) {
    json.Key(WSTR("icon"));
    json.BeginObject();
    json.Key(WSTR("path"));
    json.String(icon.strPath);
    json.Key(WSTR("found"));
    json.Bool(icon.bFound);
    json.EndObject();
}

// "from" and "line" say which key gives the value; both null when none does.
void WriteOrigin(CJsonWriter& json, const KeyOrigin& origin) {
    json.Key(WSTR("from"));
    if (origin.source == KeySource::None) {
        json.Null();
    } else {
        json.String(origin.source == KeySource::Entry ? WSTR("entry") : WSTR("config"));
    }
    json.Key(WSTR("line"));
    if (origin.nLine > 0) {
        json.Number(origin.nLine);
    } else {
        json.Null();
    }
}

// Every entry has both, with null for "any end is a success" and "no limit".
void WriteRun(CJsonWriter& json, const RunView& run) {
    json.Key(WSTR("successCodes"));
    json.BeginObject();
    json.Key(WSTR("codes"));
    if (run.policy.bHasSuccessCodes) {
        json.BeginArray();
        for (const uint32_t code : run.policy.successCodes) json.Number(code);
        json.EndArray();
    } else {
        json.Null();
    }
    WriteOrigin(json, run.successCodes);
    json.EndObject();
    json.Key(WSTR("timeout"));
    json.BeginObject();
    json.Key(WSTR("seconds"));
    if (run.policy.nTimeout > 0) {
        json.Number(run.policy.nTimeout);
    } else {
        json.Null();
    }
    WriteOrigin(json, run.timeout);
    json.EndObject();
}

void WriteEntry(CJsonWriter& json, const EntryView& entry, bool hashCheck) {
    json.BeginObject();
    json.Key(WSTR("name"));
    json.String(entry.strName);
    json.Key(WSTR("line"));
    json.Number(entry.nLine);
    json.Key(WSTR("sectionLine"));
    json.Number(entry.nSectionLine);
    json.Key(WSTR("checked"));
    json.Bool(entry.bChecked);
    json.Key(WSTR("description"));
    json.String(entry.strDescription);
    WriteCommand(json, WSTR("autoInstall"), entry.autoInstall, hashCheck);
    WriteCommand(json, WSTR("manualInstall"), entry.manualInstall, hashCheck);
    json.Key(WSTR("size"));
    json.String(entry.strSize);
    json.Key(WSTR("sizeBytes"));
    json.Number(static_cast<int64_t>(entry.nPackageBytes));
    WriteIcon(json, entry.icon);
    WriteRun(json, entry.run);
    json.EndObject();
}

void WriteView(CJsonWriter& json, const LauncherView& view) {
    json.BeginObject();
    json.Key(WSTR("title"));
    json.String(view.strTitle);
    json.Key(WSTR("width"));
    json.Number(view.nWidth);
    json.Key(WSTR("height"));
    json.Number(view.nHeight);
    json.Key(WSTR("widthInFile"));
    json.Number(view.nWidthInFile);
    json.Key(WSTR("heightInFile"));
    json.Number(view.nHeightInFile);
    json.Key(WSTR("installMode"));
    json.String(view.nDefault != 0 ? WSTR("unattended") : WSTR("interactive"));
    json.Key(WSTR("countdownSeconds"));
    json.Number(view.nWaitime > 0 ? view.nWaitime : 0);
    json.Key(WSTR("savePath"));
    json.String(view.strSavePath);
    json.Key(WSTR("exitAfterCountdown"));
    json.Bool(view.bExitAfterCountdown != 0);
    json.Key(WSTR("logFile"));
    if (view.strLogFile.empty()) {
        json.Null();
    } else {
        json.String(view.strLogFile);
    }
    if (view.bHashCheck) {
        json.Key(WSTR("hashCheck"));
        json.BeginObject();
        json.Key(WSTR("requireHashes"));
        json.Bool(view.bRequireHashes);
        json.Key(WSTR("listed"));
        json.Number(static_cast<int64_t>(view.nHashesListed));
        json.EndObject();
    }
    json.Key(WSTR("categories"));
    json.BeginArray();
    for (const CategoryView& category : view.categories) {
        json.BeginObject();
        json.Key(WSTR("name"));
        json.String(category.strName);
        json.Key(WSTR("line"));
        json.Number(category.nLine);
        json.Key(WSTR("sectionLine"));
        json.Number(category.nSectionLine);
        json.Key(WSTR("entryCount"));
        json.Number(static_cast<int64_t>(category.entries.size()));
        WriteIcon(json, category.icon);
        json.Key(WSTR("entries"));
        json.BeginArray();
        for (const EntryView& entry : category.entries) WriteEntry(json, entry, view.bHashCheck);
        json.EndArray();
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}

void WriteFinding(CJsonWriter& json, const Finding& finding, const CheckReport& report) {
    json.BeginObject();
    json.Key(WSTR("severity"));
    json.String(SeverityId(SeverityOf(finding.kind)));
    json.Key(WSTR("kind"));
    json.String(FindingKindId(finding.kind));
    json.Key(WSTR("line"));
    if (finding.nLine > 0) {
        json.Number(finding.nLine);
    } else {
        json.Null();
    }
    json.Key(WSTR("section"));
    json.String(finding.strSection);
    json.Key(WSTR("key"));
    json.String(finding.strKey);
    if (finding.nOtherLine > 0) {
        json.Key(WSTR("otherLine"));
        json.Number(finding.nOtherLine);
    }
    if (finding.nColumn > 0) {
        json.Key(WSTR("column"));
        json.Number(finding.nColumn);
    }
    if (!finding.lines.empty()) {
        json.Key(WSTR("lines"));
        json.BeginArray();
        for (const int line : finding.lines) json.Number(line);
        json.EndArray();
    }
    const bool suggests = finding.kind == FindingKind::UnknownKey ||
                          finding.kind == FindingKind::CategorySectionMissing ||
                          finding.kind == FindingKind::EntrySectionMissing;
    if (suggests && !finding.strHint.empty()) {
        json.Key(WSTR("suggestion"));
        json.String(finding.strHint);
    }
    json.Key(WSTR("message"));
    json.String(FindingMessage(finding, report));
    json.EndObject();
}

}  // namespace

const WChar* FindingKindId(FindingKind kind) {
    switch (kind) {
        case FindingKind::FileUnreadable:
            return WSTR("file-unreadable");
        case FindingKind::CategorySectionMissing:
            return WSTR("category-section-missing");
        case FindingKind::EntrySectionMissing:
            return WSTR("entry-section-missing");
        case FindingKind::CommandNotFound:
            return WSTR("command-not-found");
        case FindingKind::NoCategories:
            return WSTR("no-categories");
        case FindingKind::NumberingGap:
            return WSTR("numbering-gap");
        case FindingKind::WorkingDirWithoutBackslash:
            return WSTR("workingdir-without-backslash");
        case FindingKind::CurrDirNotReplaced:
            return WSTR("currdir-not-replaced");
        case FindingKind::CdromMarkerNotRecognised:
            return WSTR("cdrom-marker-not-recognised");
        case FindingKind::RelativePath:
            return WSTR("relative-path");
        case FindingKind::UnknownKey:
            return WSTR("unknown-key");
        case FindingKind::KeyWithoutEquals:
            return WSTR("key-without-equals");
        case FindingKind::KeyOutsideSection:
            return WSTR("key-outside-section");
        case FindingKind::NotANumber:
            return WSTR("not-a-number");
        case FindingKind::CommandMissing:
            return WSTR("command-missing");
        case FindingKind::IconNotFound:
            return WSTR("icon-not-found");
        case FindingKind::PackageNotMeasurable:
            return WSTR("package-not-measurable");
        case FindingKind::LetterCaseDiffers:
            return WSTR("letter-case-differs");
        case FindingKind::ValueCut:
            return WSTR("value-cut");
        case FindingKind::DuplicateSection:
            return WSTR("duplicate-section");
        case FindingKind::DuplicateKey:
            return WSTR("duplicate-key");
        case FindingKind::InvalidBytes:
            return WSTR("invalid-bytes");
        case FindingKind::Utf8ReadAsAnsi:
            return WSTR("utf-8-read-as-ansi");
        case FindingKind::Utf8WithoutChinese:
            return WSTR("utf-8-without-chinese");
        case FindingKind::Encoding:
            return WSTR("encoding");
        case FindingKind::EntryListedSeveralTimes:
            return WSTR("entry-listed-several-times");
        case FindingKind::CdromCommand:
            return WSTR("cdrom-command");
        case FindingKind::ListSectionMissing:
            return WSTR("list-section-missing");
        case FindingKind::SectionNotRead:
            return WSTR("section-not-read");
        case FindingKind::ExitCodeUnreadable:
            return WSTR("exit-code-unreadable");
        case FindingKind::TimeoutUnreadable:
            return WSTR("timeout-unreadable");
        case FindingKind::HashMismatch:
            return WSTR("hash-mismatch");
        case FindingKind::HashFileUnreadable:
            return WSTR("hash-file-unreadable");
        case FindingKind::HashFileMissing:
            return WSTR("hash-file-missing");
        case FindingKind::HashValueInvalid:
            return WSTR("hash-value-invalid");
        case FindingKind::HashNotListed:
            return WSTR("hash-not-listed");
        case FindingKind::HashNotListedRefused:
            return WSTR("hash-not-listed-refused");
    }
    return WSTR("");
}

const WChar* SeverityId(Severity severity) {
    switch (severity) {
        case Severity::Error:
            return WSTR("error");
        case Severity::Warning:
            return WSTR("warning");
        case Severity::Info:
            break;
    }
    return WSTR("info");
}

const WChar* EncodingId(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf16Le:
            return WSTR("utf-16le");
        case TextEncoding::Utf16Be:
            return WSTR("utf-16be");
        case TextEncoding::Utf8Bom:
            return WSTR("utf-8-bom");
        case TextEncoding::Utf8:
            return WSTR("utf-8");
        case TextEncoding::Ansi:
            break;
    }
    return WSTR("ansi");
}

WString FormatJsonReport(const CheckReport& report) {
    CJsonWriter json;
    json.BeginObject();
    json.Key(WSTR("catalogue"));
    json.String(report.strCatalogue);
    json.Key(WSTR("readable"));
    json.Bool(report.bRead);
    json.Key(WSTR("status"));
    json.Number(ExitStatus(report));
    if (report.bRead) {
        json.Key(WSTR("exeFolder"));
        json.String(report.strExeFolder);
        json.Key(WSTR("checkedFolder"));
        json.String(report.strCheckedFolder);
        json.Key(WSTR("encoding"));
        json.String(EncodingId(report.encoding));
    }
    json.Key(WSTR("launcher"));
    if (report.bRead) {
        WriteView(json, report.view);
    } else {
        json.Null();
    }
    size_t counts[3] = {0, 0, 0};
    json.Key(WSTR("problems"));
    json.BeginArray();
    for (const Finding& finding : report.findings) {
        ++counts[static_cast<int>(SeverityOf(finding.kind))];
        WriteFinding(json, finding, report);
    }
    json.EndArray();
    json.Key(WSTR("counts"));
    json.BeginObject();
    json.Key(WSTR("errors"));
    json.Number(static_cast<int64_t>(counts[0]));
    json.Key(WSTR("warnings"));
    json.Number(static_cast<int64_t>(counts[1]));
    json.Key(WSTR("information"));
    json.Number(static_cast<int64_t>(counts[2]));
    json.EndObject();
    json.EndObject();
    return json.Take();
}
