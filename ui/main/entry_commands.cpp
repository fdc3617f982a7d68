#include "ui/main/entry_commands.h"

namespace entrycmd {

namespace {

// Calls take(entry) for every ticked entry in catalogue order.
template <class Take>
void ForEachTicked(const CatalogueConfig& config, Take take) {
    for (const CategoryInfo& category : CategoriesOf(config))
        for (const EntryInfo& entry : EntriesOf(category))
            if (entry.nChecked) take(entry);
}

}  // namespace

std::vector<WString> CollectTicked(const CatalogueConfig& config, Batch batch) {
    std::vector<WString> commands;
    const bool bAuto = batch == Batch::Install && config.nDefault != 0;
    ForEachTicked(config, [&](const EntryInfo& entry) {
        commands.push_back(bAuto ? entry.strAutoInstall : entry.strManualInstall);
    });
    return commands;
}

std::vector<InstallerPolicy> CollectTickedPolicies(const CatalogueConfig& config) {
    std::vector<InstallerPolicy> policies;
    ForEachTicked(config, [&](const EntryInfo& entry) { policies.push_back(entry.policy); });
    return policies;
}

WString ListText(const std::vector<WString>& commands) {
    WString text;
    for (const WString& command : commands) text += command + WSTR("\r\n");
    return text;
}

WString PackageFileName(const WString& command) {
    const size_t slash = command.rfind(WChar('\\'));
    return slash == WString::npos ? WString() : command.substr(slash + 1);
}

WString InitialSavePath(const WString& savePath, const WString& command, size_t nBufferUnits) {
    const WString name = PackageFileName(command);
    if (savePath.size() + name.size() < nBufferUnits) return savePath + name;
    if (name.size() < nBufferUnits) return name;
    return WString();
}

}  // namespace entrycmd
