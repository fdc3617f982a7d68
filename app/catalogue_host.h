// ICatalogueHost: what the catalogue loader needs from the application object.
#pragma once

#include "app/wstring.h"

// The application object (the framework's CWinApp) implements this.
class ICatalogueHost {
public:
    // Full path of the running executable, as the module file name gives it, never cut short:
    // an implementation that cannot get it whole returns an empty string.
    virtual WString ModulePath() const = 0;
    // The file name later profile reads of the application go to.
    virtual WString ProfileName() const = 0;
    virtual void SetProfileName(const WString& path) = 0;

protected:
    ~ICatalogueHost() = default;
};
