#include "app/catalogue.h"

#include <string>

#include "app/profile.h"

namespace {

// Reads prefix1, prefix2, ... of a section up to the first empty or missing value.
std::vector<WString> ReadNameList(const CProfile& profile, WStringView section,
                                  WStringView prefix) {
    std::vector<WString> names;
    WString key(prefix);
    for (size_t n = 1;; ++n) {
        key.resize(prefix.size());
        for (const char digit : std::to_string(n)) key.push_back(static_cast<WChar>(digit));
        const WStringView name = profile.FindValue(section, key).value_or(WStringView());
        if (name.empty()) break;
        names.emplace_back(name);
    }
    return names;
}

WStringView Value(const CProfile& profile, WStringView section, WStringView key) {
    return profile.FindValue(section, key).value_or(WStringView());
}

WString Join(WStringView folder, WStringView name) {
    WString joined;
    joined.reserve(folder.size() + name.size());
    joined.append(folder).append(name);
    return joined;
}

WStringView WorkingDir(const CProfile& profile, WStringView section, WStringView exeFolder) {
    const WStringView dir = Value(profile, section, WSTR("WorkingDir"));
    return dir == kCurrDirMarker ? exeFolder : dir;
}

// Every "%CurrDir%" (letter case counts) stands for the exe folder.
WString ReplaceCurrDir(WStringView value, WStringView exeFolder) {
    const WStringView marker = kCurrDirMarker;
    WString out;
    size_t from = 0;
    for (size_t at; (at = value.find(marker, from)) != WStringView::npos;
         from = at + marker.size()) {
        out.append(value.substr(from, at - from)).append(exeFolder);
    }
    out.append(value.substr(from));
    return out;
}

void ReadSettings(const CProfile& profile, WStringView exeFolder, CatalogueConfig& config) {
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
    config.bExitAfterCountdown = profile.GetInt(kConfig, WSTR("ExitAfterCountdown"), 0) != 0;
    config.strLogFile = ReplaceCurrDir(Value(profile, kConfig, WSTR("LogFile")), exeFolder);
    config.pHashes = std::make_shared<const CCatalogueHashes>(profile);
    config.bRequireHashes = profile.GetInt(kConfig, kRequireHashesKey, 0) != 0;
    config.strExeFolder = WString(exeFolder);
}

void ReadEntry(const CProfile& profile, WString name, WStringView exeFolder, EntryInfo& entry) {
    const WStringView dir = WorkingDir(profile, name, exeFolder);
    entry.strIconPath = Join(dir, Value(profile, name, WSTR("IconPath")));
    entry.nChecked = profile.GetInt(name, WSTR("Checked"), 0);
    entry.strAutoInstall = Join(dir, Value(profile, name, WSTR("AutoInstall")));
    entry.strManualInstall = Join(dir, Value(profile, name, WSTR("ManualInstall")));
    entry.strDescription = WString(Value(profile, name, WSTR("Description")));
    entry.policy = ReadInstallerPolicy(profile, name);
    entry.strName = std::move(name);
}

}  // namespace

CatalogueModel BuildCatalogue(const CProfile& profile, WStringView exeFolder) {
    CatalogueModel model;
    ReadSettings(profile, exeFolder, model.config);

    std::vector<WString> categories = ReadNameList(profile, WSTR("Type"), WSTR("Sort"));
    // One record more than there are names: the value-initialised end marker.
    model.pCategoryArray = std::make_unique<CategoryInfo[]>(categories.size() + 1);
    for (size_t k = 0; k < categories.size(); ++k) {
        CategoryInfo& category = model.pCategoryArray[k];
        const WString& name = categories[k];
        category.strIconPath =
            Join(WorkingDir(profile, name, exeFolder), Value(profile, name, WSTR("IconPath")));

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
