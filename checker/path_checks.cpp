#include "checker/path_checks.h"

#include <map>

#include "app/catalogue.h"
#include "checker/exe_folder_file_system.h"
#include "checker/launcher_view.h"
#include "checker/names.h"
#include "ops/shell.h"
#include "ops/white_space.h"

namespace {

const WStringView kCdromMarker = WSTR("cdrom:\\");
const WStringView kWorkingDir = WSTR("WorkingDir");
const WStringView kIconPath = WSTR("IconPath");
const WStringView kAutoInstall = WSTR("AutoInstall");
const WStringView kManualInstall = WSTR("ManualInstall");

// The file system with one drive root as the only CD-ROM drive: where a "cdrom:\" command
// would be found if that drive were the only one.
class COneCdromFileSystem final : public IFileSystem {
public:
    COneCdromFileSystem(IFileSystem& inner, const WString& root) : m_inner(inner), m_root(root) {}
    unsigned DriveType(const WString& root) override {
        return root == m_root ? kDriveCdRom : kDriveNoRootDir;
    }
    bool Copy(const WString&, const WString&, bool) override { return false; }

protected:
    bool FindMatch(const WString& text) override { return m_inner.Exists(text); }
    bool MeasureFile(const WString& path, uint64_t& size) override {
        return m_inner.FileSize(path, size);
    }

private:
    IFileSystem& m_inner;
    WString m_root;
};

bool Contains(WStringView text, WStringView part) {
    return text.find(part) != WStringView::npos;
}

bool MentionsCurrDir(WStringView value) {
    return Contains(FoldName(value), WSTR("%currdir%"));
}

// One section's reading of the keys that take paths.
struct PathSection {
    const CProfile& profile;
    const ProfileSection& section;
    WString strName;

    const ProfileKey* Key(WStringView key) const { return profile.FindKey(strName, key); }
    WString Value(WStringView key) const { return profile.GetString(strName, key, WSTR("")); }
    int LineOf(WStringView key) const {
        const ProfileKey* found = Key(key);
        return found != nullptr ? found->nLine : section.nLine;
    }
    Finding Make(FindingKind kind, WStringView key) const {
        Finding finding;
        finding.kind = kind;
        finding.nLine = LineOf(key);
        finding.strSection = strName;
        if (const ProfileKey* found = Key(key)) {
            finding.strKey = WString(found->strName);
        } else {
            finding.strKey = WString(key);
        }
        return finding;
    }
};

// "%CurrDir%" is replaced only as the whole WorkingDir value, written exactly so.
void CheckCurrDir(const PathSection& s, const std::vector<WStringView>& keys,
                  std::vector<Finding>& findings) {
    for (const WStringView key : keys) {
        const WString value = s.Value(key);
        if (!MentionsCurrDir(value) || (key == kWorkingDir && value == kCurrDirMarker)) continue;
        Finding finding = s.Make(FindingKind::CurrDirNotReplaced, key);
        finding.strText = value;
        findings.push_back(std::move(finding));
    }
}

// "cdrom:\" is recognised only in lower case and with a backslash.
void CheckCdromSpelling(const PathSection& s, const std::vector<WStringView>& keys,
                        std::vector<Finding>& findings) {
    for (const WStringView key : keys) {
        const WString value = s.Value(key);
        const WString folded = FoldName(value);
        for (size_t at = folded.find(WSTR("cdrom:")); at != WString::npos;
             at = folded.find(WSTR("cdrom:"), at + 1)) {
            if (WStringView(value).substr(at, kCdromMarker.size()) == kCdromMarker) continue;
            Finding finding = s.Make(FindingKind::CdromMarkerNotRecognised, key);
            finding.strText = value;
            finding.strHint = value.substr(at, kCdromMarker.size());
            findings.push_back(std::move(finding));
            break;
        }
    }
}

bool IconFound(const WString& path, IFileSystem& fileSystem) {
    return FindIcon(path, fileSystem).bFound;
}

bool CommandFound(const WString& command, IFileSystem& fileSystem) {
    return ResolveCommand(command, fileSystem).bFound;
}

// WorkingDir is put in front without a separator. A folder without its closing backslash
// runs into the name, unless that is what the author wanted: a value that starts with a
// separator, a "cdrom:\" value (the WorkingDir is dropped), or a joined text that is found
// while the one with a backslash is not.
void CheckWorkingDirEnd(const PathSection& s, const std::vector<WStringView>& keys,
                        IFileSystem& fileSystem, std::vector<Finding>& findings) {
    const WString dir = s.Value(kWorkingDir);
    if (dir.empty() || MentionsCurrDir(dir) || dir.back() == '\\' || dir.back() == '/') return;
    Finding finding = s.Make(FindingKind::WorkingDirWithoutBackslash, kWorkingDir);
    finding.strText = dir;
    for (const WStringView key : keys) {
        const WString value = s.Value(key);
        if (value.empty() || value.front() == '\\' || value.front() == '/' ||
            Contains(value, kCdromMarker)) {
            continue;
        }
        const WString joined = dir + value;
        const WString separated = dir + WSTR("\\") + value;
        const bool isIcon = key == kIconPath;
        const bool joinedFound =
            isIcon ? IconFound(joined, fileSystem) : CommandFound(joined, fileSystem);
        const bool separatedFound =
            isIcon ? IconFound(separated, fileSystem) : CommandFound(separated, fileSystem);
        if (joinedFound && !separatedFound) continue;
        finding.items.emplace_back(key);
        finding.items.push_back(joined);
    }
    if (!finding.items.empty()) findings.push_back(std::move(finding));
}

// A relative text is looked for in the launcher's current directory, which is its own folder
// only when it was started from there.
void CheckRelative(const PathSection& s, const std::vector<WStringView>& keys,
                   std::vector<Finding>& findings) {
    const WString dir = s.Value(kWorkingDir);
    // "%CurrDir%" gives the exe folder; in another spelling it has its own finding.
    if (MentionsCurrDir(dir)) return;
    for (const WStringView key : keys) {
        const WString value = s.Value(key);
        const WString joined = dir + value;
        if (value.empty() || Contains(joined, kCdromMarker)) continue;
        // Commands are trimmed before they are looked for; icon paths are not.
        if (!CExeFolderFileSystem::IsRelative(key == kIconPath ? joined : TrimWideSpace(joined))) {
            continue;
        }
        Finding finding = s.Make(FindingKind::RelativePath, key);
        finding.strText = joined;
        findings.push_back(std::move(finding));
    }
}

// Found, but only because letter case did not count, as on Windows.
void CheckLetterCase(const PathSection& s, WStringView key, const WString& found,
                     const CExeFolderFileSystem& files, std::vector<Finding>& findings) {
    WString actual = files.OtherLetterCase(found);
    if (actual.empty()) return;
    Finding finding = s.Make(FindingKind::LetterCaseDiffers, key);
    finding.strText = found;
    finding.strHint = std::move(actual);
    findings.push_back(std::move(finding));
}

void CheckIcon(const PathSection& s, const IconView& icon, const CExeFolderFileSystem& files,
               std::vector<Finding>& findings) {
    if (s.Value(kIconPath).empty()) return;
    if (icon.bFound) {
        CheckLetterCase(s, kIconPath, icon.strPath, files, findings);
        return;
    }
    Finding finding = s.Make(FindingKind::IconNotFound, kIconPath);
    finding.strText = icon.strPath;
    findings.push_back(std::move(finding));
}

std::vector<WString> CdromDrives(IFileSystem& fileSystem) {
    std::vector<WString> drives;
    for (const WString& root : CShell::DriveTable()) {
        if (fileSystem.DriveType(root) == kDriveCdRom) drives.push_back(root);
    }
    return drives;
}

void CheckCommand(const PathSection& s, WStringView key, const CommandView& command,
                  const std::vector<WString>& cdroms, CExeFolderFileSystem& fileSystem,
                  std::vector<Finding>& findings) {
    if (s.Value(key).empty()) {
        Finding finding = s.Make(FindingKind::CommandMissing, key);
        finding.strText = command.strCommand;
        findings.push_back(std::move(finding));
        return;
    }
    const bool marked = Contains(command.strCommand, kCdromMarker);
    if (!command.bFound) {
        Finding finding = s.Make(FindingKind::CommandNotFound, key);
        finding.strText = command.strCommand;
        finding.bFlag = marked;
        if (marked) finding.items = cdroms;
        findings.push_back(std::move(finding));
        return;
    }
    CheckLetterCase(s, key, command.strProgram, fileSystem, findings);
    if (marked) {
        Finding finding = s.Make(FindingKind::CdromCommand, key);
        finding.strText = command.strCommand;
        finding.strHint = command.strProgram;
        for (const WString& root : cdroms) {
            COneCdromFileSystem one(fileSystem, root);
            if (CShell(command.strCommand, WString(), one).m_bFound) finding.items.push_back(root);
        }
        findings.push_back(std::move(finding));
    }
    if (key == kManualInstall) {
        uint64_t size = 0;
        if (!fileSystem.FileSize(command.strProgram, size)) {
            Finding finding = s.Make(FindingKind::PackageNotMeasurable, key);
            finding.strText = command.strProgram;
            findings.push_back(std::move(finding));
        }
    }
}

}  // namespace

void CheckPaths(const CProfile& profile, const CatalogueWalk& walk, const LauncherView& view,
                CExeFolderFileSystem& fileSystem, std::vector<Finding>& findings) {
    if (walk.pConfig != nullptr) {
        const PathSection config{profile, *walk.pConfig, WString(walk.pConfig->strName)};
        CheckCurrDir(config, {WSTR("SavePath")}, findings);
    }

    const std::vector<WString> cdroms = CdromDrives(fileSystem);
    std::map<const ProfileSection*, bool> done;  // each section once, however often listed
    for (size_t k = 0; k < walk.categories.size(); ++k) {
        const CategoryWalk& category = walk.categories[k];
        const CategoryView& categoryView = view.categories.at(k);
        if (category.pSection != nullptr && !done[category.pSection]) {
            done[category.pSection] = true;
            const PathSection s{profile, *category.pSection, category.strName};
            const std::vector<WStringView> keys = {kWorkingDir, kIconPath};
            CheckCurrDir(s, keys, findings);
            CheckCdromSpelling(s, keys, findings);
            CheckWorkingDirEnd(s, {kIconPath}, fileSystem, findings);
            CheckRelative(s, {kIconPath}, findings);
            CheckIcon(s, categoryView.icon, fileSystem, findings);
        }
        for (size_t j = 0; j < category.entries.size(); ++j) {
            const EntryWalk& entry = category.entries[j];
            if (entry.pSection == nullptr || done[entry.pSection]) continue;
            done[entry.pSection] = true;
            const EntryView& entryView = categoryView.entries.at(j);
            const PathSection s{profile, *entry.pSection, entry.strName};
            const std::vector<WStringView> paths = {kIconPath, kAutoInstall, kManualInstall};
            CheckCurrDir(s, {kWorkingDir, kIconPath, kAutoInstall, kManualInstall}, findings);
            CheckCdromSpelling(s, {kWorkingDir, kIconPath, kAutoInstall, kManualInstall}, findings);
            CheckWorkingDirEnd(s, paths, fileSystem, findings);
            CheckRelative(s, paths, findings);
            CheckIcon(s, entryView.icon, fileSystem, findings);
            CheckCommand(s, kAutoInstall, entryView.autoInstall, cdroms, fileSystem, findings);
            CheckCommand(s, kManualInstall, entryView.manualInstall, cdroms, fileSystem, findings);
        }
    }
}
