#include "checker/catalogue_walk.h"

#include "app/catalogue_hashes.h"
#include "checker/names.h"

namespace {

NameListWalk WalkNameList(const CProfile& profile, const WString& section, WStringView prefix) {
    NameListWalk walk;
    walk.strSection = section;
    walk.strPrefix = WString(prefix);
    walk.pSection = profile.FindSection(section);
    for (size_t n = 1;; ++n) {
        const WString key = NumberedName(prefix, n);
        WString name = profile.GetString(section, key, WSTR(""));
        if (name.empty()) {
            walk.nStop = n;
            walk.pStopKey = profile.FindKey(section, key);
            return walk;
        }
        walk.keys.push_back(profile.FindKey(section, key));
        walk.names.push_back(std::move(name));
    }
}

void Use(CatalogueWalk& walk, const ProfileSection* section, unsigned role, size_t listStop = 0) {
    if (section == nullptr) return;
    SectionUse& use = walk.uses[section];
    use.nRoles |= role;
    if (listStop != 0) use.nListStop = listStop;
}

}  // namespace

CatalogueWalk WalkCatalogue(const CProfile& profile) {
    CatalogueWalk walk;
    walk.pConfig = profile.FindSection(WSTR("Config"));
    Use(walk, walk.pConfig, kRoleConfig);
    walk.pHashes = profile.FindSection(kHashesSection);
    Use(walk, walk.pHashes, kRoleHashes);
    walk.types = WalkNameList(profile, WSTR("Type"), WSTR("Sort"));
    Use(walk, walk.types.pSection, kRoleType, walk.types.nStop);

    for (size_t k = 0; k < walk.types.names.size(); ++k) {
        CategoryWalk& category = walk.categories.emplace_back();
        category.strName = walk.types.names[k];
        category.pSortKey = walk.types.keys[k];
        category.pSection = profile.FindSection(category.strName);
        Use(walk, category.pSection, kRoleCategory);
        category.list = WalkNameList(profile, category.strName + WSTR(".List"), WSTR("List"));
        Use(walk, category.list.pSection, kRoleList, category.list.nStop);
        for (size_t j = 0; j < category.list.names.size(); ++j) {
            EntryWalk& entry = category.entries.emplace_back();
            entry.strName = category.list.names[j];
            entry.pListKey = category.list.keys[j];
            entry.pSection = profile.FindSection(entry.strName);
            Use(walk, entry.pSection, kRoleEntry);
        }
    }
    return walk;
}
