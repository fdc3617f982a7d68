// The way the launcher walks a catalogue file: which sections and keys it asks for, in order,
// with the lines they are on. It asks exactly what BuildCatalogue asks, and for the [Hashes]
// section that the check before a start or a copy reads.
#pragma once

#include <map>
#include <vector>

#include "app/profile.h"
#include "app/wstring.h"

// prefix1, prefix2, ... of one section, read up to the first empty or missing value.
struct NameListWalk {
    WString strSection;                        // the section asked for
    WString strPrefix;                         // "Sort" or "List"
    const ProfileSection* pSection = nullptr;  // the section that lookups read, if any
    std::vector<const ProfileKey*> keys;       // the keys read, one per name
    std::vector<WString> names;                // their values
    size_t nStop = 1;                          // the number whose value was empty or missing
    const ProfileKey* pStopKey = nullptr;      // that key, when it is present
};

struct EntryWalk {
    WString strName;
    const ProfileKey* pListKey = nullptr;
    const ProfileSection* pSection = nullptr;  // null when the file has no such section
};

struct CategoryWalk {
    WString strName;
    const ProfileKey* pSortKey = nullptr;
    const ProfileSection* pSection = nullptr;
    NameListWalk list;
    std::vector<EntryWalk> entries;
};

// What the launcher asks of a section, as a set of these bits.
enum SectionRole : unsigned {
    kRoleConfig = 1,
    kRoleType = 2,
    kRoleCategory = 4,
    kRoleList = 8,
    kRoleEntry = 16,
    kRoleHashes = 32,  // [Hashes]: its keys are file paths, checked on their own
};

struct SectionUse {
    unsigned nRoles = 0;
    size_t nListStop = 0;  // for kRoleType and kRoleList: the number that ended the list
};

struct CatalogueWalk {
    const ProfileSection* pConfig = nullptr;
    const ProfileSection* pHashes = nullptr;
    NameListWalk types;
    std::vector<CategoryWalk> categories;
    std::map<const ProfileSection*, SectionUse> uses;  // every section the launcher reads
};

// The walk of a parsed file; it points into the profile, which must outlive it.
CatalogueWalk WalkCatalogue(const CProfile& profile);
