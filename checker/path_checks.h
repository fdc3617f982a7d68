// Findings about the paths and commands of the categories and entries: what WorkingDir does
// to them, markers that are not recognised, commands and icons that are missing or not
// found, and where "cdrom:\" commands were found.
#pragma once

#include <vector>

#include "app/profile.h"
#include "checker/catalogue_walk.h"
#include "checker/check_report.h"
#include "ops/file_system.h"

// The view is the one built from the same walk; the file system is the one it was built with.
void CheckPaths(const CProfile& profile, const CatalogueWalk& walk, const LauncherView& view,
                IFileSystem& fileSystem, std::vector<Finding>& findings);
