// The 32 x 32 image of an icon file, read straight from the file's bytes for the common case
// (an uncompressed 32-bit image of that size), so that the main window can hand thousands of
// entry icons to its image lists without making an icon object of each.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace iconimage {

inline constexpr int kSize = 32;

struct Image32 {
    // Pixels as 0xAARRGGBB, top row first.
    std::array<std::uint32_t, kSize * kSize> pixels{};
    // The AND mask, top row first, 4 bytes a row, most significant bit leftmost; 1 is
    // transparent.
    std::array<std::uint8_t, kSize * kSize / 8> mask{};
};

// A 16 x 16 image as the system scales an icon for a list of small images: pixels as
// 0xAARRGGBB and the AND mask, top row first, 2 bytes a row.
struct Image16 {
    std::array<std::uint32_t, 16 * 16> pixels{};
    std::array<std::uint8_t, 16 * 16 / 8> mask{};
};

// Reads the image that the system's icon loader picks for 32 x 32 pixels, when that image is
// an uncompressed 32-bit bitmap: among the entries of exactly 32 x 32, the one with the most
// colours. False for anything else (no such entry, the best one of another depth or stored
// as PNG, a damaged file); the caller then loads the icon through the system.
bool Decode32(std::span<const std::uint8_t> file, Image32& out);

}  // namespace iconimage
