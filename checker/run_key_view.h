// What the launcher will do with the run keys: each entry's success codes and timeout with the
// key each comes from, whether a countdown run ends the program, and where the run log goes.
#pragma once

#include "app/catalogue.h"
#include "app/profile.h"
#include "checker/catalogue_walk.h"
#include "checker/check_report.h"

// The model comes from BuildCatalogue on the profile of the walk; the view is the one built
// from both, whose entries it completes.
void AddRunKeys(const CatalogueModel& model, const CProfile& profile, const CatalogueWalk& walk,
                LauncherView& view);
