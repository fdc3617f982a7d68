#include "checker/run_key_checks.h"

#include <set>

#include "app/run_options.h"
#include "checker/finding_text.h"
#include "checker/plain_integer.h"

namespace {

constexpr WStringView kSuccessCodes = WSTR("SuccessCodes");
constexpr WStringView kTimeout = WSTR("Timeout");

Finding Make(FindingKind kind, const ProfileKey& key, const ProfileSection& section) {
    Finding finding;
    finding.kind = kind;
    finding.nLine = key.nLine;
    finding.strSection = WString(section.strName);
    finding.strKey = WString(key.strName);
    finding.strText = WString(key.strValue);
    return finding;
}

// Items that are no exit code are skipped; a list without any code accepts every end.
void CheckSuccessCodes(const CProfile& profile, const ProfileSection& section, WStringView name,
                       std::vector<Finding>& findings) {
    const ProfileKey* key = profile.FindKey(name, kSuccessCodes);
    if (key == nullptr || !key->bHasValue) return;
    ExitCodeList list = ParseExitCodes(key->strValue);
    if (list.unreadable.empty()) return;
    Finding finding = Make(FindingKind::ExitCodeUnreadable, *key, section);
    finding.items = std::move(list.unreadable);
    finding.bFlag = list.codes.empty();
    findings.push_back(std::move(finding));
}

// A Timeout that reads 0 or less gives no limit; one read only in part ("10秒") is a number
// that is no plain integer, like any other integer key's.
void CheckTimeout(const CProfile& profile, const ProfileSection& section, WStringView name,
                  std::vector<Finding>& findings) {
    const ProfileKey* key = profile.FindKey(name, kTimeout);
    const int32_t seconds = profile.GetInt(name, kTimeout, 0);
    if (key == nullptr || seconds != profile.GetInt(name, kTimeout, 1)) return;  // not given
    if (seconds > 0 && IsPlainInteger(key->strValue)) return;
    Finding finding =
        Make(seconds > 0 ? FindingKind::NotANumber : FindingKind::TimeoutUnreadable, *key, section);
    finding.strHint = DecimalText(seconds);
    findings.push_back(std::move(finding));
}

void CheckSection(const CProfile& profile, const ProfileSection& section, WStringView name,
                  std::vector<Finding>& findings) {
    CheckSuccessCodes(profile, section, name, findings);
    CheckTimeout(profile, section, name, findings);
}

}  // namespace

void CheckRunKeys(const CProfile& profile, const CatalogueWalk& walk,
                  std::vector<Finding>& findings) {
    if (walk.pConfig != nullptr) CheckSection(profile, *walk.pConfig, WSTR("Config"), findings);
    std::set<const ProfileSection*> done = {walk.pConfig};
    for (const CategoryWalk& category : walk.categories) {
        for (const EntryWalk& entry : category.entries) {
            if (entry.pSection == nullptr || !done.insert(entry.pSection).second) continue;
            CheckSection(profile, *entry.pSection, entry.strName, findings);
        }
    }
}
