// Findings about the file's structure: numbering gaps, missing and unread sections, keys the
// launcher never reads, duplicates, cut values, integers that are no numbers, and entries
// listed more than once.
#pragma once

#include <vector>

#include "app/profile.h"
#include "checker/catalogue_walk.h"
#include "checker/check_report.h"

void CheckStructure(const CProfile& profile, const CatalogueWalk& walk,
                    std::vector<Finding>& findings);
