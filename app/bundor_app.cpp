#include "app/bundor_app.h"

#include <commctrl.h>
#include <ole2.h>

#include "app/app_catalogue_host.h"
#include "app/catalogue.h"
#include "ops/package_check.h"
#include "ops/run_log.h"
#include "ui/main/bundor_dlg.h"

namespace {

// How long the program, once its window has closed, waits for its run log to be written.
constexpr unsigned kLogFlushMs = 3000;

// OLE, and with it COM apartment-threaded, for the user-interface thread's shell calls: the
// new-style folder picker needs OLE. Ended when start-up returns.
class OleScope {
public:
    OleScope() : m_bInitialised(SUCCEEDED(::OleInitialize(nullptr))) {}
    ~OleScope() {
        if (m_bInitialised) ::OleUninitialize();
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

private:
    bool m_bInitialised;
};

}  // namespace

BOOL CBundorApp::InitInstance() {
    // The list-view, tree-view, toolbar and status bar, tab, tooltip, up-down, progress,
    // hot-key and animation classes. A failure stops nothing.
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof icc;
    icc.dwICC = 0xFF;
    ::InitCommonControlsEx(&icc);
    CWinApp::InitInstance();
    const OleScope ole;

    CBundorDlg dlg;
    m_pMainWnd = &dlg;
    // The window's set-up reads the catalogue, so it is loaded before DoModal. A missing file
    // reads as an empty catalogue.
    CAppCatalogueHost host(*this);
    dlg.m_pConfig = LoadCatalogue(host);
    OpenRunLog(dlg.m_pConfig->strLogFile);
    // Never destroyed: a run's thread may still read it while the process ends.
    const CatalogueConfig& config = *dlg.m_pConfig;
    dlg.m_pPackageCheck = new CPackageCheck(config.pHashes ? *config.pHashes : CCatalogueHashes(),
                                            config.bRequireHashes != 0, config.strExeFolder);
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // The last lines of the run log, if its file can still be written.
    FlushRunLog(kLogFlushMs);
    return FALSE;
}
