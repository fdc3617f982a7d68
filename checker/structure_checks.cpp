#include "checker/structure_checks.h"

#include <map>
#include <set>
#include <string>

#include "app/catalogue_hashes.h"
#include "checker/names.h"
#include "checker/plain_integer.h"

namespace {

const std::vector<WString> kConfigKeys = {
    WSTR("MainWidth"),    WSTR("MainHeight"), WSTR("TitleText"),
    WSTR("SavePath"),     WSTR("Default"),    WSTR("Waitime"),
    WSTR("SuccessCodes"), WSTR("Timeout"),    WSTR("ExitAfterCountdown"),
    WSTR("LogFile"),      kRequireHashesKey};
const std::vector<WString> kCategoryKeys = {WSTR("WorkingDir"), WSTR("IconPath")};
const std::vector<WString> kEntryKeys = {
    WSTR("WorkingDir"),    WSTR("IconPath"),    WSTR("Checked"),      WSTR("AutoInstall"),
    WSTR("ManualInstall"), WSTR("Description"), WSTR("SuccessCodes"), WSTR("Timeout")};
const std::vector<WString> kConfigIntegers = {
    WSTR("MainWidth"), WSTR("MainHeight"),         WSTR("Default"),
    WSTR("Waitime"),   WSTR("ExitAfterCountdown"), kRequireHashesKey};

Finding Make(FindingKind kind, int line, WStringView section, WStringView key = {}) {
    Finding finding;
    finding.kind = kind;
    finding.nLine = line;
    finding.strSection = WString(section);
    finding.strKey = WString(key);
    return finding;
}

// The prefix of the numbered keys of a section that the launcher reads as a list.
WStringView ListPrefix(unsigned roles) {
    if (roles & kRoleType) return WSTR("Sort");
    if (roles & kRoleList) return WSTR("List");
    return {};
}

// The keys the launcher asks a section for, in the spelling the documentation uses.
std::vector<WString> KnownKeys(const SectionUse& use) {
    std::vector<WString> known;
    const auto add = [&known](const std::vector<WString>& keys) {
        known.insert(known.end(), keys.begin(), keys.end());
    };
    if (use.nRoles & kRoleConfig) add(kConfigKeys);
    if (use.nRoles & kRoleCategory) add(kCategoryKeys);
    if (use.nRoles & kRoleEntry) add(kEntryKeys);
    const WStringView prefix = ListPrefix(use.nRoles);
    for (size_t n = 1; !prefix.empty() && n <= use.nListStop; ++n) {
        known.push_back(NumberedName(prefix, n));
    }
    return known;
}

// The keys after a gap in the numbering, which are never asked for.
void CheckGap(const NameListWalk& list, std::vector<Finding>& findings) {
    if (list.pSection == nullptr) return;
    std::vector<WString> ignored;
    std::set<WString> seen;
    int firstLine = 0;
    for (const ProfileKey& key : list.pSection->keys) {
        if (NameNumber(key.strName, list.strPrefix) <= list.nStop || key.strValue.empty()) {
            continue;
        }
        if (!seen.insert(FoldName(key.strName)).second) continue;
        ignored.emplace_back(key.strName);
        if (firstLine == 0) firstLine = key.nLine;
    }
    if (ignored.empty()) return;
    Finding finding =
        Make(FindingKind::NumberingGap, list.pStopKey != nullptr ? list.pStopKey->nLine : firstLine,
             list.pSection->strName, NumberedName(list.strPrefix, list.nStop));
    finding.bFlag = list.pStopKey != nullptr;
    finding.items = std::move(ignored);
    findings.push_back(std::move(finding));
}

void CheckIntegers(const CProfile& profile, const ProfileSection& section,
                   const std::vector<WString>& names, std::vector<Finding>& findings) {
    const WString sectionName(section.strName);
    for (const WString& name : names) {
        const ProfileKey* key = profile.FindKey(sectionName, name);
        if (key == nullptr || !key->bHasValue || key->strValue.empty() ||
            IsPlainInteger(key->strValue)) {
            continue;
        }
        Finding finding = Make(FindingKind::NotANumber, key->nLine, section.strName, key->strName);
        finding.strText = WString(key->strValue);
        for (const char c : std::to_string(profile.GetInt(sectionName, name, 0))) {
            finding.strHint.push_back(static_cast<WChar>(c));
        }
        findings.push_back(std::move(finding));
    }
}

// The keys of one section that the launcher reads.
void CheckKeys(const CProfile& profile, const ProfileSection& section, const SectionUse& use,
               std::vector<Finding>& findings) {
    const std::vector<WString> known = KnownKeys(use);
    std::set<WString> knownFolded;
    for (const WString& name : known) knownFolded.insert(FoldName(name));
    const WStringView prefix = ListPrefix(use.nRoles);
    const WString sectionName(section.strName);

    std::map<WString, int> firstLine;
    for (const ProfileKey& key : section.keys) {
        if (IsCommentName(key.strName)) continue;
        const WString folded = FoldName(key.strName);
        const auto [first, isFirst] = firstLine.try_emplace(folded, key.nLine);
        const bool isKnown = knownFolded.count(folded) != 0;
        // A repeated key that nobody reads loses nothing: it is just another unknown key.
        if (!isFirst && isKnown) {
            Finding finding =
                Make(FindingKind::DuplicateKey, key.nLine, section.strName, key.strName);
            finding.nOtherLine = first->second;
            findings.push_back(std::move(finding));
            continue;
        }
        if (!key.bHasValue) {
            Finding finding = Make(FindingKind::KeyWithoutEquals, key.nLine, section.strName);
            finding.strText = WString(key.strText);
            findings.push_back(std::move(finding));
            continue;
        }
        if (key.bCut) {
            findings.push_back(
                Make(FindingKind::ValueCut, key.nLine, section.strName, key.strName));
        }
        if (isKnown) continue;
        // Numbered keys after a gap are reported with the gap.
        if (!prefix.empty() && NameNumber(key.strName, prefix) > use.nListStop) continue;
        Finding finding = Make(FindingKind::UnknownKey, key.nLine, section.strName, key.strName);
        finding.strHint = NearestName(key.strName, known);
        findings.push_back(std::move(finding));
    }

    if (use.nRoles & kRoleConfig) CheckIntegers(profile, section, kConfigIntegers, findings);
    if (use.nRoles & kRoleEntry) CheckIntegers(profile, section, {WSTR("Checked")}, findings);
}

// Sections that the launcher never reads: a later one of a name already used, one that no
// Sort or List value names, keys before the first section.
void CheckSections(const CProfile& profile, const CatalogueWalk& walk,
                   std::vector<Finding>& findings) {
    std::map<WString, const ProfileSection*> first;
    for (const ProfileSection& section : profile.Sections()) {
        if (section.nLine == 0) {
            for (const ProfileKey& key : section.keys) {
                if (IsCommentName(key.strName)) continue;
                findings.push_back(
                    Make(FindingKind::KeyOutsideSection, key.nLine, WStringView(), key.strName));
            }
            continue;
        }
        const auto [earlier, isFirst] = first.try_emplace(FoldName(section.strName), &section);
        const bool used = walk.uses.count(earlier->second) != 0;
        if (isFirst && !used) {
            findings.push_back(Make(FindingKind::SectionNotRead, section.nLine, section.strName));
        } else if (!isFirst && used) {
            Finding finding = Make(FindingKind::DuplicateSection, section.nLine, section.strName);
            finding.nOtherLine = earlier->second->nLine;
            findings.push_back(std::move(finding));
        }
    }
}

// The sections that nobody reads are where a misspelt section name is likely to be.
std::vector<WString> UnreadSectionNames(const CProfile& profile, const CatalogueWalk& walk) {
    std::vector<WString> names;
    for (const ProfileSection& section : profile.Sections()) {
        if (section.nLine != 0 && !section.strName.empty() && !walk.uses.count(&section) &&
            profile.FindSection(section.strName) == &section) {
            names.emplace_back(section.strName);
        }
    }
    return names;
}

void AddNearestSection(const CProfile& profile, const std::vector<WString>& unread,
                       Finding& finding) {
    finding.strHint = NearestName(finding.strSection, unread);
    if (const ProfileSection* section = profile.FindSection(finding.strHint)) {
        finding.nOtherLine = section->nLine;
    }
}

void CheckListedSections(const CProfile& profile, const CatalogueWalk& walk,
                         std::vector<Finding>& findings) {
    const std::vector<WString> unread = UnreadSectionNames(profile, walk);
    std::set<WString> reported;
    std::set<const ProfileSection*> listsChecked;
    std::map<WString, std::vector<std::pair<const EntryWalk*, const CategoryWalk*>>> listings;
    std::vector<WString> listingOrder;

    for (const CategoryWalk& category : walk.categories) {
        const int sortLine = category.pSortKey->nLine;
        const bool firstMention = reported.insert(FoldName(category.strName)).second;
        if (category.pSection == nullptr && firstMention) {
            Finding finding = Make(FindingKind::CategorySectionMissing, sortLine, category.strName,
                                   category.pSortKey->strName);
            AddNearestSection(profile, unread, finding);
            findings.push_back(std::move(finding));
        }
        if (category.list.pSection == nullptr && firstMention) {
            findings.push_back(Make(FindingKind::ListSectionMissing, sortLine, category.strName,
                                    category.list.strSection));
        }
        if (category.list.pSection != nullptr &&
            listsChecked.insert(category.list.pSection).second) {
            CheckGap(category.list, findings);
        }
        for (const EntryWalk& entry : category.entries) {
            const WString folded = FoldName(entry.strName);
            auto& places = listings[folded];
            if (places.empty()) listingOrder.push_back(folded);
            places.emplace_back(&entry, &category);
        }
    }

    for (const WString& folded : listingOrder) {
        const auto& places = listings[folded];
        const EntryWalk& entry = *places.front().first;
        if (entry.pSection == nullptr) {
            Finding finding = Make(FindingKind::EntrySectionMissing, entry.pListKey->nLine,
                                   entry.strName, entry.pListKey->strName);
            AddNearestSection(profile, unread, finding);
            findings.push_back(std::move(finding));
        }
        if (places.size() > 1) {
            Finding finding =
                Make(FindingKind::EntryListedSeveralTimes, entry.pListKey->nLine, entry.strName);
            for (const auto& place : places) finding.items.push_back(place.second->strName);
            findings.push_back(std::move(finding));
        }
    }
}

}  // namespace

void CheckStructure(const CProfile& profile, const CatalogueWalk& walk,
                    std::vector<Finding>& findings) {
    if (walk.categories.empty()) {
        findings.push_back(Make(FindingKind::NoCategories,
                                walk.types.pSection != nullptr ? walk.types.pSection->nLine : 0,
                                WSTR("Type")));
    }
    CheckGap(walk.types, findings);
    CheckListedSections(profile, walk, findings);
    CheckSections(profile, walk, findings);
    for (const auto& [section, use] : walk.uses) {
        // The keys of [Hashes] are file paths, which the hash checks look at.
        if (use.nRoles == kRoleHashes) continue;
        CheckKeys(profile, *section, use, findings);
    }
}
