#include "checker/launcher_view.h"

#include <algorithm>
#include <span>

#include "ops/package_check.h"
#include "ops/package_size.h"
#include "ops/shell.h"

namespace {

int LineOf(const ProfileKey* key) {
    return key != nullptr ? key->nLine : 0;
}

int LineOf(const ProfileSection* section) {
    return section != nullptr ? section->nLine : 0;
}

EntryView ViewEntry(const EntryInfo& entry, const EntryWalk& walk, IFileSystem& fileSystem) {
    EntryView view;
    view.strName = entry.strName;
    view.nLine = LineOf(walk.pListKey);
    view.nSectionLine = LineOf(walk.pSection);
    view.bChecked = entry.nChecked != 0;
    view.strDescription = entry.strDescription;
    view.autoInstall = ResolveCommand(entry.strAutoInstall, fileSystem);
    view.manualInstall = ResolveCommand(entry.strManualInstall, fileSystem);
    view.nPackageBytes = MeasurePackage(entry.strManualInstall, fileSystem).nBytes;
    view.strSize = FormatPackageSize(view.nPackageBytes);
    view.icon = FindIcon(entry.strIconPath, fileSystem);
    return view;
}

}  // namespace

CommandView ResolveCommand(const WString& command, IFileSystem& fileSystem) {
    CommandView view;
    view.strCommand = command;
    const CShell shell(command, WString(), fileSystem);
    view.bFound = shell.m_bFound != 0;
    view.strProgram = shell.m_strPath;
    view.strParams = shell.m_strParams;
    view.bOnCdromDrive = view.bFound && FoundOnCdromDrive(command, fileSystem);
    return view;
}

IconView FindIcon(const WString& path, IFileSystem& fileSystem) {
    IconView view;
    view.strPath = path;
    uint64_t size = 0;
    view.bFound = !path.empty() && fileSystem.FileSize(path, size);
    return view;
}

LauncherView BuildLauncherView(const CatalogueModel& model, const CatalogueWalk& walk,
                               IFileSystem& fileSystem) {
    const CatalogueConfig& config = model.config;
    LauncherView view;
    view.strTitle = config.strTitleText;
    view.nWidthInFile = config.nMainWidth;
    view.nHeightInFile = config.nMainHeight;
    view.nWidth = std::max(config.nMainWidth, kMinMainWidth);
    view.nHeight = std::max(config.nMainHeight, kMinMainHeight);
    view.nDefault = config.nDefault;
    view.nWaitime = config.nWaitime;
    view.strSavePath = config.strSavePath;

    const std::span<CategoryInfo> categories = CategoriesOf(config);
    for (size_t k = 0; k < categories.size(); ++k) {
        const CategoryInfo& category = categories[k];
        const CategoryWalk& categoryWalk = walk.categories.at(k);
        CategoryView& categoryView = view.categories.emplace_back();
        categoryView.strName = category.strName;
        categoryView.nLine = LineOf(categoryWalk.pSortKey);
        categoryView.nSectionLine = LineOf(categoryWalk.pSection);
        categoryView.icon = FindIcon(category.strIconPath, fileSystem);
        const std::span<EntryInfo> entries = EntriesOf(category);
        for (size_t j = 0; j < entries.size(); ++j)
            categoryView.entries.push_back(
                ViewEntry(entries[j], categoryWalk.entries.at(j), fileSystem));
    }
    return view;
}
