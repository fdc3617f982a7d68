#include "checker/catalogue_check.h"

#include <algorithm>

#include "app/catalogue.h"
#include "app/catalogue_text.h"
#include "app/profile.h"
#include "checker/catalogue_walk.h"
#include "checker/encoding_checks.h"
#include "checker/exe_folder_file_system.h"
#include "checker/launcher_view.h"
#include "checker/path_checks.h"
#include "checker/structure_checks.h"

CheckReport CheckCatalogue(const CheckInput& input, IFileSystem& fileSystem) {
    CheckReport report;
    report.strCatalogue = input.strCatalogue;
    report.strExeFolder = input.strExeFolder;
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
    const CatalogueModel model = BuildCatalogue(profile, input.strExeFolder);
    const CatalogueWalk walk = WalkCatalogue(profile);
    CExeFolderFileSystem files(fileSystem, input.strExeFolder);
    report.view = BuildLauncherView(model, walk, files);

    CheckEncoding(input.bytes, decoded, report.findings);
    CheckStructure(profile, walk, report.findings);
    CheckPaths(profile, walk, report.view, files, report.findings);
    std::stable_sort(report.findings.begin(), report.findings.end(),
                     [](const Finding& a, const Finding& b) { return a.nLine < b.nLine; });
    return report;
}
