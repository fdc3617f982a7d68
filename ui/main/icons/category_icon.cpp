#include "ui/main/icons/category_icon.h"

#include <cstring>

#include "fw/gdi.h"
#include "ui/main/icons/entry_icon.h"

namespace {

constexpr int kSmall = 16;

// The bits of an icon already at 16 x 16, read as the image list itself reads the bitmaps it
// is given: 32-bit colour and a 1-bit mask.
bool ReadSmallIcon(HICON hIcon, iconimage::Image16& out) {
    ICONINFO ii{};
    if (!::GetIconInfo(hIcon, &ii)) return false;
    const CBitmap colour(ii.hbmColor), mask(ii.hbmMask);
    const SIZE size = colour.GetSize();
    if (!mask.GetSafeHandle() || size.cx != kSmall || size.cy != kSmall) return false;
    const CMemoryDC hdc(nullptr);
    if (!hdc) return false;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } bi{};
    bi.header.biSize = sizeof bi.header;
    bi.header.biWidth = kSmall;
    bi.header.biHeight = -kSmall;  // top row first
    bi.header.biPlanes = 1;
    bi.header.biBitCount = 32;
    bool ok = ::GetDIBits(hdc, colour, 0, kSmall, out.pixels.data(),
                          reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS) == kSmall;
    // Mask rows come DWORD-aligned: 4 bytes, of which the first 2 are the row.
    std::uint8_t rows[kSmall * 4] = {};
    bi.header.biBitCount = 1;
    ok = ok && ::GetDIBits(hdc, mask, 0, kSmall, rows, reinterpret_cast<BITMAPINFO*>(&bi),
                           DIB_RGB_COLORS) == kSmall;
    for (int y = 0; ok && y < kSmall; ++y) std::memcpy(&out.mask[y * 2], &rows[y * 4], 2);
    return ok;
}

}  // namespace

LoadedIcon LoadCategoryIcon(const WString& path) {
    LoadedIcon loaded;
    loaded.path = path;
    CIcon icon(LoadIconFile(path));
    if (!icon) return loaded;
    // The image list's own first step: the best image for its size, from the file where it
    // can, else the icon scaled.
    CIcon small(
        static_cast<HICON>(::CopyImage(icon, IMAGE_ICON, kSmall, kSmall, LR_COPYFROMRESOURCE)));
    if (!small) small.Attach(static_cast<HICON>(::CopyImage(icon, IMAGE_ICON, kSmall, kSmall, 0)));
    auto image = std::make_unique<iconimage::Image16>();
    if (small && ReadSmallIcon(small, *image))
        loaded.small = std::move(image);
    else
        loaded.icon = std::move(icon);
    return loaded;
}

namespace {

void AddCategoryImage(CImageList& list, const LoadedIcon& icon, HICON hFallback) {
    if (icon.small) {
        // 2 bytes a mask row: word-aligned already.
        if (AddImageBits({&list}, kSmall, kSmall, icon.small->pixels.data(),
                         icon.small->mask.data()))
            return;
        // Bitmaps that cannot be made: the system's way, from the file.
        const CIcon again(LoadIconFile(icon.path));
        list.Add(again ? again : hFallback);
        return;
    }
    list.Add(icon.icon ? icon.icon : hFallback);
}

}  // namespace

void AddCategoryIcon(CImageList& list, const LoadedIcon& icon, HICON hFallback) {
    const int nPlaces = list.GetImageCount() + 1;
    AddCategoryImage(list, icon, hFallback);
    // An icon that cannot go in at all (at the GDI quota) leaves its place empty, so that the
    // categories after it keep their own.
    if (list.GetImageCount() < nPlaces) ::ImageList_SetImageCount(list, static_cast<UINT>(nPlaces));
}
