// The application object as the catalogue loader sees it: its module path and profile name.
#pragma once

#include "app/catalogue_host.h"
#include "fw/app.h"

class CAppCatalogueHost final : public ICatalogueHost {
public:
    explicit CAppCatalogueHost(CWinApp& app) : m_app(app) {}

    WString ModulePath() const override { return m_app.ModulePath(); }
    WString ProfileName() const override { return m_app.ProfileName(); }
    void SetProfileName(const WString& path) override { m_app.SetProfileName(path); }

private:
    CWinApp& m_app;
};
