// LoadCatalogue: finds the catalogue file beside the executable and reads it into the
// process's one catalogue record.
#include <memory>
#include <new>
#include <vector>

#include "app/catalogue.h"
#include "app/catalogue_host.h"
#include "app/catalogue_text.h"
#include "app/file_reader.h"
#include "app/profile.h"

namespace {

// The catalogue lives until the process ends and its records never move. Everything is
// reachable from this never-destroyed object, so no exit-time destructor can leave a user's
// pointer dangling and the leak checker sees no leak.
struct CatalogueStore {
    CatalogueConfig config;
    std::vector<CatalogueModel> loads;  // every load's arrays, kept so old pointers stay valid
};

CatalogueStore& Store() {
    static CatalogueStore* store = new CatalogueStore;
    return *store;
}

// The exe folder and the catalogue path, or false when either does not fit the platform's
// 260-unit buffers (or the module path names no folder at all).
bool CataloguePath(const ICatalogueHost& app, WString& exeFolder, WString& path) {
    const WString module = app.ModulePath();
    const size_t slash = module.rfind('\\');
    if (module.size() > kMaxPathUnits || slash == WString::npos) return false;
    exeFolder = module.substr(0, slash + 1);
    path = exeFolder + app.ProfileName();
    return path.size() <= kMaxPathUnits;
}

}  // namespace

CatalogueConfig* LoadCatalogue(ICatalogueHost& app) {
    return LoadCatalogue(app, ReadWholeFile);
}

CatalogueConfig* LoadCatalogue(ICatalogueHost& app, const CatalogueFileReader& read) {
    WString exeFolder;
    WString path;
    const bool found = CataloguePath(app, exeFolder, path);
    if (found) {
        app.SetProfileName(path);
    } else {
        // A path that does not fit reads like a missing file; the profile name is left as it
        // was rather than cut into the name of some other file.
        exeFolder.clear();
    }

    CatalogueModel model;
    try {
        std::string bytes;
        if (!found || !read(path, bytes)) bytes.clear();
        DecodedText text = DecodeCatalogueText(bytes);
        bytes = std::string();  // give the memory back before the larger parse
        const CProfile profile(std::move(text.strText));
        model = BuildCatalogue(profile, exeFolder);
    } catch (const std::bad_alloc&) {
        // A file too big for the memory left reads like a missing one.
        model = BuildCatalogue(CProfile(), exeFolder);
    }
    CatalogueStore& store = Store();
    store.config = model.config;
    store.loads.push_back(std::move(model));
    return &store.config;
}
