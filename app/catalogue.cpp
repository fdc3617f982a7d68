#include "app/catalogue.h"

#include <string>

#include "app/profile.h"

namespace {

WString Numbered(WStringView prefix, size_t n) {
    WString key(prefix);
    for (const char c : std::to_string(n)) key.push_back(static_cast<WChar>(c));
    return key;
}

// Reads prefix1, prefix2, ... of a section up to the first empty or missing value.
std::vector<WString> ReadNameList(const CProfile& profile, WStringView section,
                                  WStringView prefix) {
    std::vector<WString> names;
    for (size_t n = 1;; ++n) {
        WString name = profile.GetString(section, Numbered(prefix, n), WSTR(""));
        if (name.empty()) break;
        names.push_back(std::move(name));
    }
    return names;
}

WString WorkingDir(const CProfile& profile, WStringView section, WStringView exeFolder) {
    WString dir = profile.GetString(section, WSTR("WorkingDir"), WSTR(""));
    return dir == kCurrDirMarker ? WString(exeFolder) : dir;
}

void ReadSettings(const CProfile& profile, CatalogueConfig& config) {
    constexpr WStringView kConfig = WSTR("Config");
    config.nMainWidth = profile.GetInt(kConfig, WSTR("MainWidth"), 0);
    config.nMainHeight = profile.GetInt(kConfig, WSTR("MainHeight"), 0);
    config.strTitleText = profile.GetString(kConfig, WSTR("TitleText"), kDefaultTitleText);
    config.strSavePath = profile.GetString(kConfig, WSTR("SavePath"), WSTR(""));
    if (!config.strSavePath.empty() && config.strSavePath.back() != '\\') {
        config.strSavePath.push_back('\\');
    }
    config.nDefault = profile.GetInt(kConfig, WSTR("Default"), 1);
    config.nWaitime = profile.GetInt(kConfig, WSTR("Waitime"), 0);
    config.bCountdown = config.nWaitime > 0 ? 1 : 0;
}

void ReadEntry(const CProfile& profile, WString name, WStringView exeFolder, EntryInfo& entry) {
    const WString dir = WorkingDir(profile, name, exeFolder);
    entry.strIconPath = dir + profile.GetString(name, WSTR("IconPath"), WSTR(""));
    entry.nChecked = profile.GetInt(name, WSTR("Checked"), 0);
    entry.strAutoInstall = dir + profile.GetString(name, WSTR("AutoInstall"), WSTR(""));
    entry.strManualInstall = dir + profile.GetString(name, WSTR("ManualInstall"), WSTR(""));
    entry.strDescription = profile.GetString(name, WSTR("Description"), WSTR(""));
    entry.strName = std::move(name);
}

}  // namespace

CatalogueModel BuildCatalogue(const CProfile& profile, WStringView exeFolder) {
    CatalogueModel model;
    ReadSettings(profile, model.config);

    std::vector<WString> categories = ReadNameList(profile, WSTR("Type"), WSTR("Sort"));
    // One record more than there are names: the value-initialised end marker.
    model.pCategoryArray = std::make_unique<CategoryInfo[]>(categories.size() + 1);
    for (size_t k = 0; k < categories.size(); ++k) {
        CategoryInfo& category = model.pCategoryArray[k];
        const WString& name = categories[k];
        category.strIconPath = WorkingDir(profile, name, exeFolder) +
                               profile.GetString(name, WSTR("IconPath"), WSTR(""));

        std::vector<WString> entries = ReadNameList(profile, name + WSTR(".List"), WSTR("List"));
        auto array = std::make_unique<EntryInfo[]>(entries.size() + 1);
        for (size_t j = 0; j < entries.size(); ++j) {
            ReadEntry(profile, std::move(entries[j]), exeFolder, array[j]);
        }
        category.pEntries = array.get();
        model.entryArrays.push_back(std::move(array));
        category.strName = std::move(categories[k]);
    }
    model.config.pCategories = model.pCategoryArray.get();
    return model;
}
