// CBundorDlg: the catalogue's icons. A worker reads them from the start of the initialisation;
// those the first view shows go into the image lists before the window appears, the others on
// a timer afterwards, which leaves the window free for the user between two batches.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>

#include "ui/main/bundor_dlg.h"
#include "ui/main/icons/icons.h"

namespace {

constexpr size_t kIconWorkers = 1;
// Decoded icons held at most, about 5 KiB each: enough to go on reading while a catalogue of
// many categories makes its lists, which takes longer than reading their icons.
constexpr size_t kIconsAhead = 1024;
// More rows than the category list (23 pixels a row) and an entry list (65) show at once on
// the largest screens, with the window maximised.
constexpr size_t kFirstCategories = 96;
constexpr size_t kFirstEntries = 32;
// The longest the window waits for those before it appears: long enough for a disc to spin up
// and a few hundred icons to be read.
constexpr std::chrono::milliseconds kFirstIconsWait{2000};
// A few milliseconds of the window's thread per timer tick.
constexpr size_t kIconsPerTick = 64;

}  // namespace

void CBundorDlg::StartIcons() {
    m_pIconFeed = std::make_unique<CIconFeed>(*m_pConfig, kIconWorkers, kIconsAhead,
                                              kFirstCategories, kFirstEntries);
}

void CBundorDlg::AddFirstIcons() {
    m_pIconFeed->AddFirst({&m_imgCategory, m_pEntryImages.get(), m_hIcon}, kFirstIconsWait);
    if (m_pIconFeed->Done()) m_pIconFeed.reset();
}

void CBundorDlg::AddReadIcons() {
    if (!m_pIconFeed) return;
    CImageList& shown = m_pEntryImages[m_nCurList];
    const int nCategories = m_imgCategory.GetImageCount();
    const int nShown = shown.GetImageCount();
    m_pIconFeed->AddReady({&m_imgCategory, m_pEntryImages.get(), m_hIcon}, kIconsPerTick);
    RepaintNewImages(m_listCategory, nCategories, m_imgCategory.GetImageCount());
    RepaintNewImages(m_pEntryLists[m_nCurList], nShown, shown.GetImageCount());
    if (!m_pIconFeed->Done()) return;
    KillTimer(kIconTimer);
    m_pIconFeed.reset();
}

// The rows on screen whose image is one of those the list has had since it held nBefore.
void CBundorDlg::RepaintNewImages(CListEx& list, int nBefore, int nAfter) {
    if (nBefore == nAfter) return;
    const int nTop = static_cast<int>(list.SendMessage(LVM_GETTOPINDEX));
    const int nEnd = std::min(list.GetItemCount(),
                              nTop + static_cast<int>(list.SendMessage(LVM_GETCOUNTPERPAGE)) + 1);
    for (int r = nTop; r < nEnd; ++r) {
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = r;
        if (!list.GetItem(&item) || item.iImage < nBefore || item.iImage >= nAfter) continue;
        RECT rc{};
        if (list.GetItemRect(r, &rc, LVIR_BOUNDS)) list.InvalidateRect(&rc, FALSE);
    }
}
