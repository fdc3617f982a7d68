// What the launcher's main window will show for a catalogue, and what its commands resolve to.
#pragma once

#include "app/catalogue.h"
#include "checker/catalogue_walk.h"
#include "checker/check_report.h"
#include "ops/file_system.h"

// The window's smallest size: smaller MainWidth and MainHeight values are raised to these.
inline constexpr int32_t kMinMainWidth = 800;
inline constexpr int32_t kMinMainHeight = 500;

// A command resolved as the launcher resolves it.
CommandView ResolveCommand(const WString& command, IFileSystem& fileSystem);

// An icon path and whether a file can be opened there (the window loads it from that file).
IconView FindIcon(const WString& path, IFileSystem& fileSystem);

// The model comes from BuildCatalogue on the same profile as the walk, which gives the lines.
LauncherView BuildLauncherView(const CatalogueModel& model, const CatalogueWalk& walk,
                               IFileSystem& fileSystem);
