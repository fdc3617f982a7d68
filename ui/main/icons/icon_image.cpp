#include "ui/main/icons/icon_image.h"

#include <cstddef>

namespace iconimage {

namespace {

std::uint32_t U16(std::span<const std::uint8_t> b, size_t at) {
    return b[at] | (b[at + 1] << 8);
}

std::uint32_t U32(std::span<const std::uint8_t> b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

constexpr size_t kDirHeader = 6;
constexpr size_t kDirEntry = 16;
constexpr size_t kInfoHeader = 40;  // BITMAPINFOHEADER
constexpr size_t kRowMask = kSize / 8;

// The bit count an entry stands for: its header's, which the directory's may leave 0.
std::uint32_t BitCount(std::span<const std::uint8_t> file, size_t entry) {
    const std::uint32_t dirBits = U16(file, entry + 6);
    if (dirBits) return dirBits;
    const std::uint32_t size = U32(file, entry + 8), offset = U32(file, entry + 12);
    if (offset > file.size() || size > file.size() - offset || size < kInfoHeader) return 0;
    return U16(file, offset + 14);
}

}  // namespace

bool Decode32(std::span<const std::uint8_t> file, Image32& out) {
    if (file.size() < kDirHeader || U16(file, 0) != 0 || U16(file, 2) != 1) return false;
    const size_t count = U16(file, 4);
    if (count == 0 || file.size() < kDirHeader + count * kDirEntry) return false;

    // The entries of exactly 32 x 32 (a 0 in the directory means 256); the most colours win,
    // the first of equals.
    size_t best = 0;
    std::uint32_t bestBits = 0;
    for (size_t i = 0; i < count; ++i) {
        const size_t entry = kDirHeader + i * kDirEntry;
        if (file[entry] != kSize || file[entry + 1] != kSize) continue;
        const std::uint32_t bits = BitCount(file, entry);
        if (bits > bestBits) {
            best = entry;
            bestBits = bits;
        }
    }
    if (bestBits != 32) return false;

    const std::uint32_t size = U32(file, best + 8), offset = U32(file, best + 12);
    if (offset > file.size() || size > file.size() - offset || size < kInfoHeader) return false;
    const std::span<const std::uint8_t> image = file.subspan(offset, size);
    const std::uint32_t headerSize = U32(image, 0);
    const auto width = static_cast<std::int32_t>(U32(image, 4));
    const auto height = static_cast<std::int32_t>(U32(image, 8));
    // A PNG image starts with 0x89 'P' 'N' 'G', never with a header size of 40 or more.
    if (headerSize < kInfoHeader || headerSize > size || width != kSize || height != 2 * kSize ||
        U16(image, 12) != 1 || U16(image, 14) != 32 || U32(image, 16) != 0)
        return false;
    const size_t colours = headerSize + static_cast<size_t>(U32(image, 32)) * 4;
    const size_t maskAt = colours + kSize * kSize * 4;
    if (colours > size || maskAt + kSize * kRowMask > size) return false;

    // Both the colour and the mask rows are stored bottom row first.
    for (int y = 0; y < kSize; ++y) {
        const size_t row = static_cast<size_t>(kSize - 1 - y);
        for (int x = 0; x < kSize; ++x)
            out.pixels[static_cast<size_t>(y) * kSize + x] =
                U32(image, colours + (row * kSize + x) * 4);
        for (size_t k = 0; k < kRowMask; ++k)
            out.mask[static_cast<size_t>(y) * kRowMask + k] = image[maskAt + row * kRowMask + k];
    }
    return true;
}

}  // namespace iconimage
