#include "app/catalogue_hashes.h"

#include "app/file_name_case.h"

namespace {

bool IsDriveName(WStringView name) {
    return name.size() == 2 && name[1] == ':';
}

}  // namespace

std::vector<WStringView> PathNames(WStringView path) {
    std::vector<WStringView> names;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find_first_of(WSTR("\\/"), start);
        if (end == WStringView::npos) end = path.size();
        const WStringView name = path.substr(start, end - start);
        if (name == WSTR("..") && !names.empty() && names.back() != WSTR("..")) {
            if (!IsDriveName(names.back())) names.pop_back();
        } else if (!name.empty() && name != WSTR(".")) {
            names.push_back(name);
        }
        start = end + 1;
    }
    return names;
}

WString JoinPathNames(const std::vector<WStringView>& names) {
    WString joined;
    for (const WStringView name : names) {
        if (!joined.empty()) joined += WSTR('\\');
        joined += name;
    }
    return joined;
}

WString HashPathKey(WStringView relativePath) {
    return FoldFileNameCase(JoinPathNames(PathNames(relativePath)));
}

CCatalogueHashes::CCatalogueHashes(const CProfile& profile) {
    const ProfileSection* section = profile.FindSection(kHashesSection);
    m_bSection = section != nullptr;
    if (section == nullptr) return;
    for (const ProfileKey& key : section->keys) {
        if (!key.bHasValue) continue;
        HashListing& listing = m_listings.emplace_back();
        listing.strName = WString(key.strName);
        listing.strPathKey = HashPathKey(key.strName);
        listing.strValue = WString(key.strValue);
        Sha256Digest digest;
        if (ParseSha256Hex(key.strValue, digest)) listing.digest = digest;
        listing.nLine = key.nLine;
        if (listing.strPathKey.empty()) continue;
        listing.bCounts = m_byKey.try_emplace(listing.strPathKey, m_listings.size() - 1).second;
    }
}

const HashListing* CCatalogueHashes::Find(WStringView relativePath) const {
    const auto it = m_byKey.find(HashPathKey(relativePath));
    return it == m_byKey.end() ? nullptr : &m_listings[it->second];
}
