// The commands that the main window hands on: the ticked entries' commands for a batch run,
// in catalogue order, and the file name that a single entry's package is saved under.
#pragma once

#include <vector>

#include "app/catalogue.h"
#include "app/wstring.h"

namespace entrycmd {

enum class Batch { Install, Save };

// The commands of every ticked entry, category by category and entry by entry as the catalogue
// lists them (an entry listed in two categories comes once per category in which it is
// ticked). An install takes strAutoInstall in unattended mode (nDefault non-zero), else
// strManualInstall; a save always takes strManualInstall.
std::vector<WString> CollectTicked(const CatalogueConfig& config, Batch batch);
// The same entries' policies (how an install run judges and waits for their installers), in
// the same order.
std::vector<InstallerPolicy> CollectTickedPolicies(const CatalogueConfig& config);

// The save confirmation's list: each command followed by "\r\n".
WString ListText(const std::vector<WString>& commands);

// The part of the command as configured after its last backslash (empty without one):
// parameters after the file name stay in it.
WString PackageFileName(const WString& command);

// What the save-as dialog's name buffer of nBufferUnits (terminating zero included) starts
// with: strSavePath followed by the file name. When that does not fit, the file name alone;
// when that does not fit either, nothing.
WString InitialSavePath(const WString& savePath, const WString& command, size_t nBufferUnits);

}  // namespace entrycmd
