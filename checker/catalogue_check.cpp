#include "checker/catalogue_check.h"

#include <algorithm>
#include <iterator>

#include "app/catalogue.h"
#include "app/catalogue_text.h"
#include "app/profile.h"
#include "checker/catalogue_walk.h"
#include "checker/encoding_checks.h"
#include "checker/encoding_hints.h"
#include "checker/exe_folder_file_system.h"
#include "checker/file_lines.h"
#include "checker/hash_checks.h"
#include "checker/launcher_view.h"
#include "checker/path_checks.h"
#include "checker/run_key_checks.h"
#include "checker/run_key_view.h"
#include "checker/structure_checks.h"

namespace {

void ToFileLines(const CFileLines& lines, LauncherView& view, std::vector<Finding>& findings) {
    view.nExitAfterCountdownLine = lines.FileLine(view.nExitAfterCountdownLine);
    view.nLogFileLine = lines.FileLine(view.nLogFileLine);
    for (CategoryView& category : view.categories) {
        category.nLine = lines.FileLine(category.nLine);
        category.nSectionLine = lines.FileLine(category.nSectionLine);
        for (EntryView& entry : category.entries) {
            entry.nLine = lines.FileLine(entry.nLine);
            entry.nSectionLine = lines.FileLine(entry.nSectionLine);
            entry.run.successCodes.nLine = lines.FileLine(entry.run.successCodes.nLine);
            entry.run.timeout.nLine = lines.FileLine(entry.run.timeout.nLine);
            entry.autoInstall.hash.nLine = lines.FileLine(entry.autoInstall.hash.nLine);
            entry.manualInstall.hash.nLine = lines.FileLine(entry.manualInstall.hash.nLine);
        }
    }
    for (Finding& finding : findings) {
        finding.nLine = lines.FileLine(finding.nLine);
        finding.nOtherLine = lines.FileLine(finding.nOtherLine);
    }
}

}  // namespace

CheckReport CheckCatalogue(const CheckInput& input, IFileSystem& fileSystem,
                           ILetterCaseFinder* letterCase, IFileHasher* hasher) {
    CheckReport report;
    report.strCatalogue = input.strCatalogue;
    report.strExeFolder =
        input.strLauncherFolder.empty() ? input.strExeFolder : input.strLauncherFolder;
    report.strCheckedFolder = input.strExeFolder;
    report.bRead = input.bRead;
    if (!input.bRead) {
        Finding unreadable;
        unreadable.kind = FindingKind::FileUnreadable;
        unreadable.strText = input.strCatalogue;
        report.findings.push_back(std::move(unreadable));
        return report;
    }

    const DecodedText decoded = DecodeCatalogueText(input.bytes);
    report.encoding = decoded.encoding;
    const CProfile profile(decoded.strText);
    const CatalogueModel model = BuildCatalogue(profile, report.strExeFolder);
    const CatalogueWalk walk = WalkCatalogue(profile);
    CExeFolderFileSystem files(fileSystem, input.strExeFolder, report.strExeFolder, letterCase);
    report.view = BuildLauncherView(model, walk, files);
    AddRunKeys(model, profile, walk, report.view);

    // What the reader saw is numbered by its lines; the report numbers the file's.
    std::vector<Finding> read;
    CheckStructure(profile, walk, read);
    CheckPaths(profile, walk, report.view, files, read);
    CheckRunKeys(profile, walk, read);
    CheckHashes(profile, walk, report.strExeFolder, report.view, files,
                hasher != nullptr ? *hasher : PlatformFileHasher(), read);
    const CFileLines lines(input.bytes, decoded);
    ToFileLines(lines, report.view, read);

    CheckEncoding(input.bytes, decoded, report.findings);
    CheckEncodingGuess(input.bytes, decoded, report.findings);
    report.findings.insert(report.findings.end(), std::make_move_iterator(read.begin()),
                           std::make_move_iterator(read.end()));
    std::stable_sort(report.findings.begin(), report.findings.end(),
                     [](const Finding& a, const Finding& b) { return a.nLine < b.nLine; });
    return report;
}
