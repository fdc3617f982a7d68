#include "ui/main/entry_icon.h"

#include <cstring>
#include <vector>

#include "ui/main/icon_image.h"

namespace {

// Icon files are small; a larger file is left to the system.
constexpr LONGLONG kMaxIconFile = 1 << 20;

bool ReadIconFile(const WString& path, std::vector<std::uint8_t>& bytes) {
    const HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = ::GetFileSizeEx(h, &size) && size.QuadPart > 0 && size.QuadPart <= kMaxIconFile;
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = ::ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
             read == bytes.size();
    }
    ::CloseHandle(h);
    return ok;
}

bool AddAsBitmap(const iconimage::Image32& image, std::initializer_list<CImageList*> lists) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = iconimage::kSize;
    bi.bmiHeader.biHeight = -iconimage::kSize;  // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP hColour = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HBITMAP hMask =
        ::CreateBitmap(iconimage::kSize, iconimage::kSize, 1, 1, image.mask.data());
    const bool ok = hColour && hMask && bits;
    if (ok) {
        std::memcpy(bits, image.pixels.data(), sizeof image.pixels);
        for (CImageList* pList : lists) ::ImageList_Add(*pList, hColour, hMask);
    }
    if (hColour) ::DeleteObject(hColour);
    if (hMask) ::DeleteObject(hMask);
    return ok;
}

}  // namespace

void AddEntryIcon(const WString& path, HICON hFallback, std::initializer_list<CImageList*> lists) {
    std::vector<std::uint8_t> bytes;
    iconimage::Image32 image;
    if (ReadIconFile(path, bytes) && iconimage::Decode32(bytes, image) && AddAsBitmap(image, lists))
        return;
    const auto hIcon = static_cast<HICON>(::LoadImageW(nullptr, path.c_str(), IMAGE_ICON, 32, 32,
                                                       LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    for (CImageList* pList : lists) pList->Add(hIcon ? hIcon : hFallback);
    // The lists hold copies; the loaded icon would otherwise stay for the process's life.
    if (hIcon) ::DestroyIcon(hIcon);
}
