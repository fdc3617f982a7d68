#include "checker/hash_writing.h"

#include <set>

#include "app/catalogue.h"
#include "app/catalogue_hashes.h"
#include "app/catalogue_text.h"
#include "app/file_reader.h"
#include "app/profile.h"
#include "checker/catalogue_walk.h"
#include "checker/check_report.h"
#include "checker/checked_file_hasher.h"
#include "checker/exe_folder_file_system.h"
#include "checker/file_lines.h"
#include "checker/file_replace.h"
#include "checker/launcher_view.h"
#include "ops/package_check.h"

namespace {

using Result = HashWriteReport::Result;

bool IsProfileSpace(WChar c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x1A;
}

// A key the reader gives back exactly as written on a line of its own.
bool CanBeKey(WStringView key) {
    if (key.empty() || key.front() == '[' || IsProfileSpace(key.front()) ||
        IsProfileSpace(key.back())) {
        return false;
    }
    return key.find_first_of(WStringView(WSTR("=\r\n\0"), 4)) == WStringView::npos;
}

// Every section but the one [Hashes] that is read, as the reader reads it.
std::vector<std::vector<std::pair<WString, WString>>> OtherSections(const CProfile& profile) {
    const ProfileSection* hashes = profile.FindSection(kHashesSection);
    std::vector<std::vector<std::pair<WString, WString>>> sections;
    for (const ProfileSection& section : profile.Sections()) {
        if (&section == hashes) continue;
        auto& keys = sections.emplace_back();
        keys.emplace_back(WSTR("[") + WString(section.strName), WString());
        for (const ProfileKey& key : section.keys) {
            keys.emplace_back(WString(key.strName),
                              key.bHasValue ? WString(key.strValue) : WSTR("\n(none)"));
        }
    }
    return sections;
}

// The new file read back as the launcher will read it: the same encoding, every other
// section as it was, and exactly the hashes written.
bool ReadsBack(const DecodedText& old, const std::string& bytes,
               const std::vector<HashSectionLine>& lines) {
    const DecodedText decoded = DecodeCatalogueText(bytes);
    if (decoded.encoding != old.encoding) return false;
    const CProfile before(old.strText);
    const CProfile after(decoded.strText);
    if (OtherSections(before) != OtherSections(after)) return false;
    const CCatalogueHashes hashes(after);
    if (hashes.Listings().size() != lines.size()) return false;
    for (const HashSectionLine& line : lines) {
        const HashListing* listing = hashes.Find(line.strKey);
        Sha256Digest digest;
        if (listing == nullptr || listing->strName != line.strKey ||
            !ParseSha256Hex(line.strValue, digest) || listing->digest != digest) {
            return false;
        }
    }
    return true;
}

class CHashCollector {
public:
    CHashCollector(const CProfile& profile, const CFileLines& lines, const WString& exeFolder,
                   CCheckedFileHasher& hasher, HashWriteReport& report)
        : m_profile(profile),
          m_lines(lines),
          m_check(CCatalogueHashes(), false, exeFolder, hasher),
          m_hasher(hasher),
          m_report(report) {}

    // False when a file to list cannot be read.
    bool Add(const EntryWalk& entry, WStringView key, const CommandView& command) {
        const WString file = command.bFound ? command.strProgram : command.strCommand;
        if (!command.bFound) return LeaveOut(LeftOutCommand::Why::NotFound, entry, key, file);
        const WString path = m_check.ListKeyOf(command.strProgram, command.bOnCdromDrive);
        if (path.empty()) return LeaveOut(LeftOutCommand::Why::NotOnMedium, entry, key, file);
        if (!CanBeKey(path)) return LeaveOut(LeftOutCommand::Why::BadName, entry, key, file);
        if (!m_keys.insert(HashPathKey(path)).second) return true;
        const std::optional<Sha256Digest> digest = m_hasher.HashFile(command.strProgram);
        if (!digest) {
            m_report.result = Result::FileUnreadable;
            m_report.strDetail = command.strProgram;
            return false;
        }
        m_report.listed.push_back({path, Sha256Hex(*digest)});
        m_report.listedFiles.push_back(command.strProgram);
        return true;
    }

private:
    bool LeaveOut(LeftOutCommand::Why why, const EntryWalk& entry, WStringView key,
                  const WString& text) {
        // An empty command is not a file to list (the checker reports it as missing).
        if (why == LeftOutCommand::Why::NotFound &&
            m_profile.GetString(entry.strName, key, WSTR("")).empty()) {
            return true;
        }
        LeftOutCommand left;
        left.why = why;
        const ProfileKey* found = m_profile.FindKey(entry.strName, key);
        left.nLine = m_lines.FileLine(found != nullptr ? found->nLine : 0);
        left.strSection = entry.strName;
        left.strKey = found != nullptr ? WString(found->strName) : WString(key);
        left.strText = text;
        m_report.leftOut.push_back(std::move(left));
        return true;
    }

    const CProfile& m_profile;
    const CFileLines& m_lines;
    const CPackageCheck m_check;
    CCheckedFileHasher& m_hasher;
    HashWriteReport& m_report;
    std::set<WString> m_keys;
};

}  // namespace

HashWriteReport PrepareHashSection(const HashWriteInput& input, const std::string& bytes,
                                   IFileSystem& fileSystem, ILetterCaseFinder* letterCase,
                                   IFileHasher& hasher, std::string& newBytes) {
    HashWriteReport report;
    report.strCatalogue = input.strCatalogue;
    report.strExeFolder =
        input.strLauncherFolder.empty() ? input.strExeFolder : input.strLauncherFolder;
    report.strCheckedFolder = input.strExeFolder;

    const DecodedText decoded = DecodeCatalogueText(bytes);
    const CProfile profile(decoded.strText);
    const CFileLines lines(bytes, decoded);
    const CatalogueModel model = BuildCatalogue(profile, report.strExeFolder);
    const CatalogueWalk walk = WalkCatalogue(profile);
    CExeFolderFileSystem files(fileSystem, input.strExeFolder, report.strExeFolder, letterCase);
    const LauncherView view = BuildLauncherView(model, walk, files);
    CCheckedFileHasher checkedHasher(files, hasher);

    CHashCollector collector(profile, lines, report.strExeFolder, checkedHasher, report);
    std::set<const ProfileSection*> done;
    for (size_t k = 0; k < walk.categories.size(); ++k) {
        for (size_t j = 0; j < walk.categories[k].entries.size(); ++j) {
            const EntryWalk& entry = walk.categories[k].entries[j];
            if (entry.pSection == nullptr || !done.insert(entry.pSection).second) continue;
            const EntryView& entryView = view.categories.at(k).entries.at(j);
            if (!collector.Add(entry, WSTR("AutoInstall"), entryView.autoInstall) ||
                !collector.Add(entry, WSTR("ManualInstall"), entryView.manualInstall)) {
                return report;
            }
        }
    }

    const HashSectionEdit edit = WriteHashSection(bytes, report.listed);
    if (!edit.bOk || !ReadsBack(decoded, edit.bytes, report.listed)) {
        report.result = Result::NotWritable;
        report.strDetail = edit.bOk ? WString(WSTR("写入后读回的内容与预期不同")) : edit.strError;
        return report;
    }
    report.bReplaced = edit.bReplaced;
    report.nLine = edit.nLine;
    newBytes = edit.bytes;
    return report;
}

HashWriteReport WriteHashes(const HashWriteInput& input, IFileSystem& fileSystem,
                            ILetterCaseFinder* letterCase, IFileHasher& hasher) {
    std::string bytes;
    if (!ReadWholeFile(input.strCatalogue, bytes)) {
        HashWriteReport report;
        report.result = Result::CatalogueUnreadable;
        report.strCatalogue = input.strCatalogue;
        report.strDetail = input.strCatalogue;
        return report;
    }
    std::string newBytes;
    HashWriteReport report =
        PrepareHashSection(input, bytes, fileSystem, letterCase, hasher, newBytes);
    if (report.result == Result::Written &&
        !ReplaceFileContent(input.strCatalogue, newBytes, report.strDetail)) {
        report.result = Result::WriteFailed;
    }
    return report;
}

int HashWriteStatus(const HashWriteReport& report) {
    switch (report.result) {
        case Result::Written:
            return report.leftOut.empty() ? kExitClean : kExitWarnings;
        case Result::CatalogueUnreadable:
            return kExitUnreadable;
        case Result::FileUnreadable:
        case Result::NotWritable:
        case Result::WriteFailed:
            break;
    }
    return kExitErrors;
}
