// Findings about the run keys' values: exit codes that are no numbers, and timeouts that give
// no limit or are read only in part.
#pragma once

#include <vector>

#include "app/profile.h"
#include "checker/catalogue_walk.h"
#include "checker/check_report.h"

// [Config] and every entry section the launcher reads, each once.
void CheckRunKeys(const CProfile& profile, const CatalogueWalk& walk,
                  std::vector<Finding>& findings);
