// Entries' icon files added to the main window's 32 x 32 image lists.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include "app/wstring.h"
#include "fw/image_list.h"
#include "ui/main/icons/icon_image.h"
#include "ui/main/icons/loaded_icon.h"

// The icon of a file as the system's loader makes it at 32 x 32, or null. The caller
// destroys it.
HICON LoadIconFile(const WString& path);

// Reads an entry's icon file for CEntryIconStrip (any thread may do this): decoded where it
// can be, else loaded by the system.
LoadedIcon LoadEntryIcon(const WString& path);

// Adds cx x cy pixels of 32-bit colour (0xAARRGGBB, top row first) with their 1-bit mask
// (rows word-aligned, 1 transparent) to each list in one ImageList_Add, which cuts them into
// images of the list's width. False, with nothing added, when the bitmaps cannot be made.
bool AddImageBits(const std::vector<CImageList*>& lists, int cx, int cy,
                  const std::uint32_t* pPixels, const std::uint8_t* pMask);

// Adds icon files to each list (32 x 32 lists only), in the order given, as LoadImageW of
// 32 x 32 would load them; an icon that cannot be loaded is replaced by hFallback. The common
// form of icon (a 32-bit 32 x 32 image) goes in as a bitmap, without the icon object and the
// screen device contexts that loading and adding an icon take; and such icons are gathered into
// one strip, which each list takes in one call: under Wine both cost a millisecond or more per
// icon otherwise. Everything given is in the lists once Flush has run or the strip is gone.
// An icon that cannot go in at all (at the process's GDI quota) leaves its place empty, so
// that every later icon still has its entry's index.
class CEntryIconStrip {
public:
    // An icon read and decoded, waiting for its strip.
    struct Pending {
        std::unique_ptr<iconimage::Image32> image;
        WString path;  // for the system's loader, should the strip fail
    };

    CEntryIconStrip(HICON hFallback, std::initializer_list<CImageList*> lists,
                    size_t nMaxStrip = 64);
    ~CEntryIconStrip() { Flush(); }
    CEntryIconStrip(const CEntryIconStrip&) = delete;
    CEntryIconStrip& operator=(const CEntryIconStrip&) = delete;

    void Add(const WString& path) { Add(LoadEntryIcon(path)); }
    void Add(LoadedIcon icon);
    void Flush();

private:
    // Pads each list with empty images up to the icons given so far.
    void KeepPlaces();

    HICON m_hFallback;
    std::vector<CImageList*> m_lists;
    std::vector<int> m_places;  // per list, the images it must have once the icons are in
    size_t m_nMaxStrip;  // icons held before they go to the lists, which bounds the memory
    std::vector<Pending> m_pending;
};
