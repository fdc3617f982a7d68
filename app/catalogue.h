// The in-memory catalogue: settings, categories and entries, built from the catalogue file.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/catalogue_hashes.h"
#include "app/run_options.h"
#include "app/wstring.h"

class CProfile;
class ICatalogueHost;

// One software entry of a category. An array of them ends with a record whose strName is
// empty (all strings empty, nChecked 0); there is no count.
struct EntryInfo {
    WString strName;           // entry name and section name
    WString strIconPath;       // entry WorkingDir + IconPath
    int32_t nChecked = 0;      // starts ticked when non-zero; follows the tick box later
    WString strAutoInstall;    // entry WorkingDir + AutoInstall
    WString strManualInstall;  // entry WorkingDir + ManualInstall
    WString strDescription;    // Description, unchanged
    InstallerPolicy policy;    // SuccessCodes and Timeout, the entry's own or [Config]'s
};

// One category. An array of them ends with a record whose strName is empty and whose
// pEntries is null.
struct CategoryInfo {
    WString strName;                // category name and section name
    WString strIconPath;            // category WorkingDir + IconPath
    EntryInfo* pEntries = nullptr;  // never null except in the end marker
};

// The settings and the catalogue proper; one record per process.
struct CatalogueConfig {
    int32_t nMainWidth = 0;
    int32_t nMainHeight = 0;
    WString strTitleText;
    WString strSavePath;     // ends in '\' unless empty
    int32_t nDefault = 0;    // install mode: non-zero unattended, 0 interactive
    int32_t bCountdown = 0;  // 1 when Waitime > 0; cleared when the countdown is interrupted
    int32_t nWaitime = 0;    // countdown length in seconds
    // A run that the countdown started ends the program whatever happened, without a report,
    // with an exit code that says how it went.
    int32_t bExitAfterCountdown = 0;
    // LogFile with "%CurrDir%" replaced; environment variables are expanded when it is opened.
    // Empty: no run log.
    WString strLogFile;
    // The package check's input: the [Hashes] section (empty without one), RequireHashes, and
    // the exe folder its keys are relative to.
    std::shared_ptr<const CCatalogueHashes> pHashes;
    int32_t bRequireHashes = 0;
    WString strExeFolder;
    CategoryInfo* pCategories = nullptr;
};

// The arrays above as spans that stop before their end markers; a null array is empty.
inline std::span<EntryInfo> EntriesOf(const CategoryInfo& category) {
    size_t n = 0;
    while (category.pEntries && !category.pEntries[n].strName.empty()) ++n;
    return {category.pEntries, n};
}
inline std::span<CategoryInfo> CategoriesOf(const CatalogueConfig& config) {
    size_t n = 0;
    while (config.pCategories && !config.pCategories[n].strName.empty()) ++n;
    return {config.pCategories, n};
}

inline constexpr const WChar* kDefaultTitleText = WSTR("软件安装管理器");
// A WorkingDir of exactly this (letter case counts) stands for the exe folder.
inline constexpr const WChar* kCurrDirMarker = WSTR("%CurrDir%");
// The platform's path buffers hold 260 units, the terminating NUL included.
inline constexpr size_t kMaxPathUnits = 259;

// A catalogue together with the arrays it points to. Moving it keeps every pointer valid.
struct CatalogueModel {
    CatalogueConfig config;
    std::unique_ptr<CategoryInfo[]> pCategoryArray;
    std::vector<std::unique_ptr<EntryInfo[]>> entryArrays;
};

// Builds the catalogue from a parsed file; exeFolder (ending in '\') replaces "%CurrDir%".
CatalogueModel BuildCatalogue(const CProfile& profile, WStringView exeFolder);

// Reads a whole file at a Windows path; false when it cannot (see ReadWholeFile).
using CatalogueFileReader = std::function<bool(const WString& path, std::string& bytes)>;

// Locates the catalogue file next to the running executable, makes its full path the
// application's profile name and reads it into the process's one CatalogueConfig record,
// which the first call creates and every call returns. Earlier arrays stay valid. A missing
// or unreadable file, or a path that does not fit 260 units, gives every default and an
// empty catalogue.
CatalogueConfig* LoadCatalogue(ICatalogueHost& app);
CatalogueConfig* LoadCatalogue(ICatalogueHost& app, const CatalogueFileReader& read);
