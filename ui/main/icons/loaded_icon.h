// LoadedIcon: an icon file read for the image lists, in the form the icon readers hand it on.
// The entry and category icons make it, the prefetch carries it across threads and the feed
// puts it into the lists.
#pragma once

#include <windows.h>

#include <memory>

#include "app/wstring.h"
#include "fw/gdi.h"
#include "ui/main/icons/icon_image.h"

// An icon file read for an image list: decoded (the common form of 32 x 32), or scaled to
// 16 x 16 as bits, or else loaded by the system; or none of these when it cannot be loaded.
struct LoadedIcon {
    WString path;
    std::unique_ptr<iconimage::Image32> image;
    std::unique_ptr<iconimage::Image16> small;
    CIcon icon;
};
