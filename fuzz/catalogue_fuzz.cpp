// Fuzz target: any bytes as a catalogue file must decode, parse and build a model without a
// crash, a sanitizer finding or a broken model.
// fuzz-sources: app/utf.cpp app/profile.cpp app/catalogue_text.cpp app/ansi_posix.cpp
// fuzz-sources: app/catalogue.cpp app/run_options.cpp app/catalogue_hashes.cpp
// fuzz-sources: app/file_name_case.cpp app/sha256_digest.cpp
// fuzz-options: -max_len=16384
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/catalogue.h"
#include "app/catalogue_text.h"
#include "app/profile.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

bool HasNul(WStringView s) {
    return s.find(WChar(0)) != WStringView::npos;
}

// Every key of a section that lookups read can be found by its own name.
void CheckLookups(const CProfile& profile) {
    for (const ProfileSection& section : profile.Sections()) {
        if (HasNul(section.strName) || profile.FindSection(section.strName) != &section) continue;
        for (const ProfileKey& key : section.keys) {
            Check(key.strValue.size() <= kProfileValueMax);
            if (HasNul(key.strName)) continue;
            const ProfileKey* found = profile.FindKey(section.strName, key.strName);
            Check(found != nullptr && found <= &key);
            profile.GetInt(section.strName, key.strName, 0);
        }
    }
}

// The arrays end with their end markers, and only the end category has no entries.
void CheckModel(const CatalogueConfig& config) {
    Check(config.pCategories != nullptr);
    size_t k = 0;
    for (; !config.pCategories[k].strName.empty(); ++k) {
        const EntryInfo* entries = config.pCategories[k].pEntries;
        Check(entries != nullptr);
        size_t j = 0;
        while (!entries[j].strName.empty()) ++j;
        Check(entries[j].strAutoInstall.empty() && entries[j].nChecked == 0);
    }
    Check(config.pCategories[k].pEntries == nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecodedText text =
        DecodeCatalogueText(std::string_view(reinterpret_cast<const char*>(data), size));
    CProfile parsed(std::move(text.strText));
    // The views must survive a move of the profile, short texts included.
    const CProfile profile(std::move(parsed));
    CheckLookups(profile);
    const CatalogueModel model = BuildCatalogue(profile, WSTR("E:\\安装盘\\"));
    CheckModel(model.config);
    return 0;
}
