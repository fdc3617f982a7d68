// Findings about the paths and commands of the categories and entries: what WorkingDir does
// to them, markers that are not recognised, commands and icons that are missing or not
// found, and where "cdrom:\" commands were found.
#pragma once

#include <vector>

#include "app/profile.h"
#include "checker/catalogue_walk.h"
#include "checker/check_report.h"
#include "checker/exe_folder_file_system.h"

// The view is the one built from the same walk and with the same file system.
void CheckPaths(const CProfile& profile, const CatalogueWalk& walk, const LauncherView& view,
                CExeFolderFileSystem& fileSystem, std::vector<Finding>& findings);
