// Findings about the [Hashes] section, and what the launcher's check before a start or a
// copy will do with each command's file.
#pragma once

#include <vector>

#include "app/profile.h"
#include "checker/catalogue_walk.h"
#include "checker/check_report.h"
#include "checker/exe_folder_file_system.h"
#include "ops/file_hasher.h"

// Fills in the view's hash settings and each found command's HashView, hashing the listed
// files where the checker finds them. exeFolder is what "%CurrDir%" stands for. The view is
// the one built from the same walk and file system.
void CheckHashes(const CProfile& profile, const CatalogueWalk& walk, const WString& exeFolder,
                 LauncherView& view, CExeFolderFileSystem& files, IFileHasher& hasher,
                 std::vector<Finding>& findings);
