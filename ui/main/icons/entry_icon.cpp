#include "ui/main/icons/entry_icon.h"

#include <cstring>
#include <vector>

#include "fw/gdi.h"
#include "ops/quiet_errors.h"
#include "ui/main/icons/icon_image.h"

namespace {

// Icon files are small; a larger file is left to the system.
constexpr LONGLONG kMaxIconFile = 1 << 20;

// A file object that tells no size (a pipe, some devices) is read to its end, as long as that
// stays within an icon file's size.
bool ReadToEnd(HANDLE h, std::vector<std::uint8_t>& bytes) {
    std::uint8_t chunk[4096];
    for (;;) {
        DWORD read = 0;
        // A pipe whose writer is gone says so instead of reading 0 bytes.
        if (!::ReadFile(h, chunk, sizeof chunk, &read, nullptr))
            return ::GetLastError() == ERROR_BROKEN_PIPE && !bytes.empty();
        if (read == 0) return !bytes.empty();
        if (bytes.size() + read > static_cast<size_t>(kMaxIconFile)) return false;
        bytes.insert(bytes.end(), chunk, chunk + read);
    }
}

bool ReadIconFile(const WString& path, std::vector<std::uint8_t>& bytes) {
    const QuietErrors quiet;
    const HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = false;
    if (!::GetFileSizeEx(h, &size)) {
        ok = ReadToEnd(h, bytes);
    } else if (size.QuadPart > 0 && size.QuadPart <= kMaxIconFile) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = ::ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
             read == bytes.size();
    }
    ::CloseHandle(h);
    return ok;
}

// One strip of images side by side: one colour bitmap and one mask, given to each list in one
// call, which cuts it into images of its own width.
bool AddAsStrip(const std::vector<CEntryIconStrip::Pending>& images,
                const std::vector<CImageList*>& lists) {
    constexpr int kSize = iconimage::kSize;
    constexpr size_t kMaskRow = kSize / 8;
    const size_t n = images.size();
    // Mask rows of a strip are 4 bytes per image, which keeps them word-aligned.
    std::vector<std::uint32_t> pixels(n * kSize * kSize);
    std::vector<std::uint8_t> mask(n * kSize * kMaskRow);
    for (size_t i = 0; i < n; ++i)
        for (size_t y = 0; y < kSize; ++y) {
            std::memcpy(&pixels[(y * n + i) * kSize], &images[i].image->pixels[y * kSize],
                        kSize * sizeof(std::uint32_t));
            std::memcpy(&mask[(y * n + i) * kMaskRow], &images[i].image->mask[y * kMaskRow],
                        kMaskRow);
        }
    return AddImageBits(lists, static_cast<int>(n) * kSize, kSize, pixels.data(), mask.data());
}

void AddToLists(HICON hIcon, const std::vector<CImageList*>& lists) {
    for (CImageList* pList : lists) pList->Add(hIcon);
}

void AddThroughSystem(const WString& path, HICON hFallback, const std::vector<CImageList*>& lists) {
    const CIcon icon(LoadIconFile(path));
    // The lists hold copies; the loaded icon goes when this ends.
    AddToLists(icon ? icon : hFallback, lists);
}

}  // namespace

bool AddImageBits(const std::vector<CImageList*>& lists, int cx, int cy,
                  const std::uint32_t* pPixels, const std::uint8_t* pMask) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;  // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const CBitmap colour(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    const CBitmap mask(::CreateBitmap(cx, cy, 1, 1, pMask));
    if (!colour.GetSafeHandle() || !mask.GetSafeHandle() || !bits) return false;
    std::memcpy(bits, pPixels, static_cast<size_t>(cx) * cy * sizeof(std::uint32_t));
    for (CImageList* pList : lists) ::ImageList_Add(*pList, colour, mask);
    return true;
}

HICON LoadIconFile(const WString& path) {
    const QuietErrors quiet;
    return static_cast<HICON>(::LoadImageW(nullptr, path.c_str(), IMAGE_ICON, 32, 32,
                                           LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

LoadedIcon LoadEntryIcon(const WString& path) {
    LoadedIcon loaded;
    loaded.path = path;
    std::vector<std::uint8_t> bytes;
    auto image = std::make_unique<iconimage::Image32>();
    if (ReadIconFile(path, bytes) && iconimage::Decode32(bytes, *image))
        loaded.image = std::move(image);
    else
        loaded.icon.Attach(LoadIconFile(path));
    return loaded;
}

CEntryIconStrip::CEntryIconStrip(HICON hFallback, std::initializer_list<CImageList*> lists,
                                 size_t nMaxStrip)
    : m_hFallback(hFallback), m_lists(lists), m_nMaxStrip(nMaxStrip ? nMaxStrip : 1) {
    for (const CImageList* pList : m_lists) m_places.push_back(pList->GetImageCount());
}

void CEntryIconStrip::Add(LoadedIcon icon) {
    if (icon.image) {
        m_pending.push_back({std::move(icon.image), std::move(icon.path)});
        if (m_pending.size() >= m_nMaxStrip) Flush();
        return;
    }
    // The icons before this one go first, so that the order stays.
    Flush();
    AddToLists(icon.icon ? icon.icon : m_hFallback, m_lists);
    for (int& nPlaces : m_places) ++nPlaces;
    KeepPlaces();
}

void CEntryIconStrip::Flush() {
    if (m_pending.empty()) return;
    // A strip whose bitmaps cannot be made goes in through the system, icon by icon.
    if (!AddAsStrip(m_pending, m_lists))
        for (const Pending& icon : m_pending) AddThroughSystem(icon.path, m_hFallback, m_lists);
    for (int& nPlaces : m_places) nPlaces += static_cast<int>(m_pending.size());
    m_pending.clear();
    KeepPlaces();
}

void CEntryIconStrip::KeepPlaces() {
    for (size_t i = 0; i < m_lists.size(); ++i)
        if (m_lists[i]->GetImageCount() < m_places[i])
            ::ImageList_SetImageCount(*m_lists[i], static_cast<UINT>(m_places[i]));
}
