#include "checker/run_key_view.h"

namespace {

constexpr WStringView kConfig = WSTR("Config");

int LineOf(const CProfile& profile, WStringView section, WStringView key) {
    const ProfileKey* found = profile.FindKey(section, key);
    return found != nullptr ? found->nLine : 0;
}

// SuccessCodes is taken from the first section that has it with '=', even with nothing after.
KeyOrigin SuccessCodesOrigin(const CProfile& profile, WStringView entry) {
    constexpr WStringView kKey = WSTR("SuccessCodes");
    if (profile.FindValue(entry, kKey)) {
        return {KeySource::Entry, LineOf(profile, entry, kKey)};
    }
    if (profile.FindValue(kConfig, kKey)) {
        return {KeySource::Config, LineOf(profile, kConfig, kKey)};
    }
    return {};
}

// A section gives a Timeout when the integer reader does not fall back to the default there
// (an empty value does): two different defaults read the same.
bool GivesInteger(const CProfile& profile, WStringView section, WStringView key) {
    return profile.GetInt(section, key, 0) == profile.GetInt(section, key, 1);
}

KeyOrigin TimeoutOrigin(const CProfile& profile, WStringView entry) {
    constexpr WStringView kKey = WSTR("Timeout");
    if (GivesInteger(profile, entry, kKey)) {
        return {KeySource::Entry, LineOf(profile, entry, kKey)};
    }
    if (GivesInteger(profile, kConfig, kKey)) {
        return {KeySource::Config, LineOf(profile, kConfig, kKey)};
    }
    return {};
}

int LineWithValue(const CProfile& profile, WStringView key) {
    const ProfileKey* found = profile.FindKey(kConfig, key);
    return found != nullptr && found->bHasValue ? found->nLine : 0;
}

}  // namespace

void AddRunKeys(const CatalogueModel& model, const CProfile& profile, const CatalogueWalk& walk,
                LauncherView& view) {
    view.bExitAfterCountdown = model.config.bExitAfterCountdown;
    view.nExitAfterCountdownLine = LineWithValue(profile, WSTR("ExitAfterCountdown"));
    view.strLogFile = model.config.strLogFile;
    view.nLogFileLine = LineWithValue(profile, WSTR("LogFile"));

    const CategoryInfo* categories = model.config.pCategories;
    for (size_t k = 0; k < view.categories.size(); ++k) {
        const CategoryWalk& categoryWalk = walk.categories.at(k);
        std::vector<EntryView>& entries = view.categories[k].entries;
        for (size_t j = 0; j < entries.size(); ++j) {
            const WString& name = categoryWalk.entries.at(j).strName;
            RunView& run = entries[j].run;
            run.policy = categories[k].pEntries[j].policy;
            run.successCodes = SuccessCodesOrigin(profile, name);
            run.timeout = TimeoutOrigin(profile, name);
            view.bRunKeys = view.bRunKeys || run.successCodes.source != KeySource::None ||
                            run.timeout.source != KeySource::None;
        }
    }
}
