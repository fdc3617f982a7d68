// Gallery of the main window on the demo medium's catalogue: as it opens, maximised, showing
// the empty category, and with the countdown labels. Saves PNG files (frame and caption
// included) for people to look at. Not shipped.
//
//   main_gallery.exe OUTPUT_FOLDER DEMO_MEDIUM_FOLDER
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/catalogue.h"
#include "tests/gallery/gallery_output.h"
#include "tests/win/main/test_medium.h"
#include "tests/win/ui/ui_test_support.h"
#include "ui/main/bundor_dlg.h"

namespace {

using uitest::Pixels;

gallery::Output g_out(L"main_gallery");

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
        steps = {{300, [&] { g_out.Save(L"main-window-countdown", Frame(dlg)); }}};
    } else {
        steps = {
            {300,
             [&] {
                 g_out.Save(L"main-window", Frame(dlg));
                 dlg.ShowWindow(SW_MAXIMIZE);
             }},
            {300,
             [&] {
                 g_out.Save(L"main-window-maximised", Frame(dlg));
                 dlg.ShowWindow(SW_RESTORE);
                 // The last category of the demo medium has no entries.
                 const int nLast = dlg.m_listCategory.GetItemCount() - 1;
                 dlg.m_listCategory.SetItemState(nLast, LVIS_SELECTED | LVIS_FOCUSED,
                                                 LVIS_SELECTED | LVIS_FOCUSED);
             }},
            {300, [&] { g_out.Save(L"main-window-empty-category", Frame(dlg)); }},
        };
    }
    if (uitest::RunModal(dlg, std::move(steps)) != 0)
        g_out.Fail(L"the window did not end as asked");
    config.nWaitime = nWaitime;
    config.bCountdown = bOld;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (!g_out.Begin(argc, argv, 2, L"OUTPUT_FOLDER DEMO_MEDIUM_FOLDER")) return 2;
    std::wstring medium = testmedium::WinePath(argv[2]);
    if (medium.back() != L'\\') medium += L'\\';
    testmedium::MediumHost host(medium);
    CatalogueConfig* pConfig = LoadCatalogue(host);
    if (CategoriesOf(*pConfig).empty()) {
        std::fwprintf(stderr, L"main_gallery: no catalogue in %ls\n", medium.c_str());
        return 1;
    }
    Show(*pConfig, false);
    Show(*pConfig, true);
    return g_out.ExitCode();
}
