#include "checker/hash_checks.h"

#include <map>
#include <set>

#include "checker/checked_file_hasher.h"
#include "checker/names.h"
#include "ops/package_check.h"

namespace {

HashState StateOf(PackageCheckOutcome outcome) {
    switch (outcome) {
        case PackageCheckOutcome::Verified:
            return HashState::Verified;
        case PackageCheckOutcome::HashDiffers:
            return HashState::HashDiffers;
        case PackageCheckOutcome::Unreadable:
            return HashState::Unreadable;
        case PackageCheckOutcome::NotListedRefused:
            return HashState::NotListedRefused;
        case PackageCheckOutcome::NotListed:
            break;
    }
    return HashState::NotListed;
}

struct HashContext {
    const CProfile& profile;
    const CPackageCheck& check;
    CCheckedFileHasher& hasher;
    WString strSection;  // [Hashes] as written
    size_t nListed = 0;
    std::vector<Finding>& findings;
    // The first command that uses each listing: its file and the outcome.
    std::map<const HashListing*, std::pair<WString, PackageCheckOutcome>> used;

    Finding AboutListing(FindingKind kind, const HashListing& listing) const {
        Finding finding;
        finding.kind = kind;
        finding.nLine = listing.nLine;
        finding.strSection = strSection;
        finding.strKey = listing.strName;
        return finding;
    }
};

HashView CheckCommand(HashContext& c, const CommandView& command) {
    HashView view;
    if (!command.bFound) return view;
    view.strKey = c.check.ListKeyOf(command.strProgram, command.bOnCdromDrive);
    const PackageCheckOutcome outcome = c.check.Check(command.strProgram, command.bOnCdromDrive);
    view.state = StateOf(outcome);
    if (const HashListing* listing =
            c.check.FindListing(command.strProgram, command.bOnCdromDrive)) {
        view.strKey = listing->strName;
        view.nLine = listing->nLine;
        c.used.try_emplace(listing, command.strProgram, outcome);
    }
    return view;
}

// An entry's unlisted files, once per entry section however often it is listed.
void ReportUnlisted(HashContext& c, const EntryWalk& entry, WStringView key,
                    const CommandView& command) {
    if (!command.bFound || command.hash.nLine != 0) return;
    FindingKind kind;
    if (c.check.RequiresHashes()) {
        kind = FindingKind::HashNotListedRefused;
    } else if (c.nListed > 0) {
        kind = FindingKind::HashNotListed;
    } else {
        return;  // an empty section: nothing is checked, nothing is missing from it
    }
    Finding finding;
    finding.kind = kind;
    const ProfileKey* found = c.profile.FindKey(entry.strName, key);
    finding.nLine = found != nullptr ? found->nLine : entry.pSection->nLine;
    finding.strSection = entry.strName;
    finding.strKey = found != nullptr ? WString(found->strName) : WString(key);
    finding.strText = command.strProgram;
    finding.bFlag = command.hash.strKey.empty();
    c.findings.push_back(std::move(finding));
}

// The section's own lines: repeated files, values that are no SHA-256, lines without '='.
void CheckListings(HashContext& c, const ProfileSection& section) {
    for (const ProfileKey& key : section.keys) {
        if (key.bHasValue || IsCommentName(key.strName)) continue;
        Finding finding;
        finding.kind = FindingKind::KeyWithoutEquals;
        finding.nLine = key.nLine;
        finding.strSection = c.strSection;
        finding.strText = WString(key.strText);
        c.findings.push_back(std::move(finding));
    }
    for (const HashListing& listing : c.check.Hashes().Listings()) {
        if (IsCommentName(listing.strName)) continue;
        if (!listing.bCounts) {
            Finding finding = c.AboutListing(FindingKind::DuplicateKey, listing);
            finding.nOtherLine = c.check.Hashes().Find(listing.strName)->nLine;
            c.findings.push_back(std::move(finding));
        } else if (!listing.digest) {
            Finding finding = c.AboutListing(FindingKind::HashValueInvalid, listing);
            finding.strHint = listing.strValue;
            c.findings.push_back(std::move(finding));
        }
    }
}

// Every listed file is verified: through the first command that uses it, or else where the
// launcher's folder has it.
void VerifyListings(HashContext& c, const WString& exeFolder, CExeFolderFileSystem& files) {
    for (const HashListing& listing : c.check.Hashes().Listings()) {
        if (!listing.bCounts || !listing.digest || listing.strPathKey.empty() ||
            IsCommentName(listing.strName)) {
            continue;
        }
        WString file;
        PackageCheckOutcome outcome;
        const auto use = c.used.find(&listing);
        if (use != c.used.end()) {
            file = use->second.first;
            outcome = use->second.second;
        } else {
            file = exeFolder + JoinPathNames(PathNames(listing.strName));
            if (!files.Exists(file)) {
                Finding finding = c.AboutListing(FindingKind::HashFileMissing, listing);
                finding.strText = file;
                c.findings.push_back(std::move(finding));
                continue;
            }
            const std::optional<Sha256Digest> digest = c.hasher.HashFile(file);
            outcome = !digest                      ? PackageCheckOutcome::Unreadable
                      : *digest == *listing.digest ? PackageCheckOutcome::Verified
                                                   : PackageCheckOutcome::HashDiffers;
        }
        if (outcome == PackageCheckOutcome::Verified) continue;
        const bool unreadable = outcome == PackageCheckOutcome::Unreadable;
        Finding finding = c.AboutListing(
            unreadable ? FindingKind::HashFileUnreadable : FindingKind::HashMismatch, listing);
        finding.strText = file;
        if (!unreadable) finding.strHint = Sha256Hex(c.hasher.HashFile(file).value());
        c.findings.push_back(std::move(finding));
    }
}

}  // namespace

void CheckHashes(const CProfile& profile, const CatalogueWalk& walk, const WString& exeFolder,
                 LauncherView& view, CExeFolderFileSystem& files, IFileHasher& hasher,
                 std::vector<Finding>& findings) {
    CCheckedFileHasher checkedHasher(files, hasher);
    const CPackageCheck check(profile, exeFolder, checkedHasher);
    view.bHashCheck = check.IsActive();
    view.bRequireHashes = check.RequiresHashes();
    for (const HashListing& listing : check.Hashes().Listings()) {
        if (listing.bCounts && !listing.strPathKey.empty() && !IsCommentName(listing.strName)) {
            ++view.nHashesListed;
        }
    }
    if (!view.bHashCheck) return;

    HashContext c{profile,  check, checkedHasher, WString(kHashesSection), view.nHashesListed,
                  findings, {}};
    if (walk.pHashes != nullptr) {
        c.strSection = WString(walk.pHashes->strName);
        CheckListings(c, *walk.pHashes);
    }
    std::set<const ProfileSection*> done;
    for (size_t k = 0; k < walk.categories.size(); ++k) {
        const CategoryWalk& category = walk.categories[k];
        CategoryView& categoryView = view.categories.at(k);
        for (size_t j = 0; j < category.entries.size(); ++j) {
            EntryView& entryView = categoryView.entries.at(j);
            entryView.autoInstall.hash = CheckCommand(c, entryView.autoInstall);
            entryView.manualInstall.hash = CheckCommand(c, entryView.manualInstall);
            const EntryWalk& entry = category.entries[j];
            if (entry.pSection == nullptr || !done.insert(entry.pSection).second) continue;
            ReportUnlisted(c, entry, WSTR("AutoInstall"), entryView.autoInstall);
            ReportUnlisted(c, entry, WSTR("ManualInstall"), entryView.manualInstall);
        }
    }
    VerifyListings(c, exeFolder, files);
}
