// Gallery of the main window on the demo medium's catalogue: as it opens, maximised, showing
// the empty category, and with the countdown labels. Saves PNG files (frame and caption
// included) for people to look at. Not shipped.
//
//   main_gallery.exe OUTPUT_FOLDER DEMO_MEDIUM_FOLDER
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/catalogue.h"
#include "app/catalogue_host.h"
#include "tests/gallery/png_writer.h"
#include "tests/win/ui/ui_test_support.h"
#include "ui/main/bundor_dlg.h"

namespace {

using uitest::Pixels;

std::wstring g_folder;
int g_failures = 0;

void Save(const wchar_t* name, const Pixels& px) {
    const std::wstring path = g_folder + L"\\" + name + L".png";
    if (px.Empty() || !gallery::WritePng(path, px)) {
        std::fwprintf(stderr, L"main_gallery: could not save %ls\n", path.c_str());
        ++g_failures;
        return;
    }
    std::wprintf(L"%ls (%d x %d)\n", path.c_str(), px.Width(), px.Height());
}

// The launcher as if it were Setup.exe in the medium's folder.
class MediumHost : public ICatalogueHost {
public:
    explicit MediumHost(std::wstring folder) : m_folder(std::move(folder)) {}
    WString ModulePath() const override { return m_folder + L"Setup.exe"; }
    WString ProfileName() const override { return m_profile; }
    void SetProfileName(const WString& path) override { m_profile = path; }

private:
    std::wstring m_folder;
    std::wstring m_profile = L"Setup.INI";
};

Pixels Frame(const CWnd& wnd) {
    ::RedrawWindow(wnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    fwtest::Pump();
    return Pixels::FromWindowFrame(wnd);
}

void Show(CatalogueConfig& config, bool bCountdown) {
    CBundorDlg dlg;
    dlg.m_pConfig = &config;
    const int nWaitime = config.nWaitime, bOld = config.bCountdown;
    if (bCountdown) {
        config.nWaitime = 10;
        config.bCountdown = 1;
    }
    std::vector<uitest::Script::Step> steps;
    if (bCountdown) {
        steps = {{300, [&] { Save(L"main-window-countdown", Frame(dlg)); }}};
    } else {
        steps = {
            {300,
             [&] {
                 Save(L"main-window", Frame(dlg));
                 dlg.ShowWindow(SW_MAXIMIZE);
             }},
            {300,
             [&] {
                 Save(L"main-window-maximised", Frame(dlg));
                 dlg.ShowWindow(SW_RESTORE);
                 // The last category of the demo medium has no entries.
                 const int nLast = dlg.m_listCategory.GetItemCount() - 1;
                 dlg.m_listCategory.SetItemState(nLast, LVIS_SELECTED | LVIS_FOCUSED,
                                                 LVIS_SELECTED | LVIS_FOCUSED);
             }},
            {300, [&] { Save(L"main-window-empty-category", Frame(dlg)); }},
        };
    }
    if (uitest::RunModal(dlg, std::move(steps)) != 0) ++g_failures;
    config.nWaitime = nWaitime;
    config.bCountdown = bOld;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: main_gallery OUTPUT_FOLDER DEMO_MEDIUM_FOLDER\n");
        return 2;
    }
    g_folder = argv[1];
    ::CreateDirectoryW(g_folder.c_str(), nullptr);
    std::wstring medium = argv[2];
    for (wchar_t& c : medium) {
        if (c == L'/') c = L'\\';
    }
    if (medium.back() != L'\\') medium += L'\\';
    if (medium.front() == L'\\') medium = L"Z:" + medium;
    MediumHost host(medium);
    CatalogueConfig* pConfig = LoadCatalogue(host);
    if (!pConfig->pCategories || pConfig->pCategories[0].strName.empty()) {
        std::fwprintf(stderr, L"main_gallery: no catalogue in %ls\n", medium.c_str());
        return 1;
    }
    Show(*pConfig, false);
    Show(*pConfig, true);
    return g_failures ? 1 : 0;
}
