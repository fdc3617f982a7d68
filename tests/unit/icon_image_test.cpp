// Reading the 32 x 32 image of icon files: which entry is taken, its rows turned top row
// first, and every form that is left to the system.
#include "ui/main/icons/icon_image.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using iconimage::Decode32;
using iconimage::Image32;
using Bytes = std::vector<std::uint8_t>;

namespace {

void Put16(Bytes& b, unsigned v) {
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
void Put32(Bytes& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

struct Entry {
    int size;     // width and height
    int bits;     // of the image
    int dirBits;  // as the directory says (0 is allowed)
    bool png = false;
    std::uint32_t seed = 0;  // pixel (x, y) of the stored image is seed + 64 * y + x
};

// An ICO file of the given entries; stored images are bottom row first, as in the files.
Bytes MakeIco(const std::vector<Entry>& entries) {
    std::vector<Bytes> images;
    for (const Entry& e : entries) {
        Bytes img;
        if (e.png) {
            img = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
            img.resize(200, 0);
        } else {
            Put32(img, 40);
            Put32(img, e.size);
            Put32(img, 2 * e.size);
            Put16(img, 1);
            Put16(img, e.bits);
            for (int i = 0; i < 6; ++i) Put32(img, 0);
            const int row = (e.size * e.bits + 31) / 32 * 4;
            for (int y = e.size - 1; y >= 0; --y) {
                if (e.bits == 32) {
                    for (int x = 0; x < e.size; ++x) Put32(img, e.seed + 64 * y + x);
                } else {
                    img.insert(img.end(), row, 0x11);
                }
            }
            const int maskRow = (e.size + 31) / 32 * 4;
            for (int y = e.size - 1; y >= 0; --y)
                for (int k = 0; k < maskRow; ++k)
                    img.push_back(static_cast<std::uint8_t>(y * 4 + k));
        }
        images.push_back(img);
    }
    Bytes file;
    Put16(file, 0);
    Put16(file, 1);
    Put16(file, static_cast<unsigned>(entries.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        file.push_back(static_cast<std::uint8_t>(entries[i].size == 256 ? 0 : entries[i].size));
        file.push_back(static_cast<std::uint8_t>(entries[i].size == 256 ? 0 : entries[i].size));
        file.push_back(0);
        file.push_back(0);
        Put16(file, 1);
        Put16(file, entries[i].dirBits);
        Put32(file, static_cast<std::uint32_t>(images[i].size()));
        Put32(file, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const Bytes& img : images) file.insert(file.end(), img.begin(), img.end());
    return file;
}

TEST(IconImage, TakesThe32BitImageOf32PixelsTopRowFirst) {
    const Bytes ico =
        MakeIco({{16, 32, 32, false, 7}, {32, 8, 8}, {32, 32, 32, false, 1000}, {48, 32, 32}});
    Image32 image;
    ASSERT_TRUE(Decode32(ico, image));
    EXPECT_EQ(image.pixels[0], 1000u);                          // (0, 0)
    EXPECT_EQ(image.pixels[31], 1000u + 31);                    // (31, 0)
    EXPECT_EQ(image.pixels[32 * 31 + 5], 1000u + 64 * 31 + 5);  // (5, 31)
    EXPECT_EQ(image.mask[0], 0);                                // row 0, byte 0
    EXPECT_EQ(image.mask[4 * 10 + 3], 10 * 4 + 3);              // row 10, byte 3
    // A directory that gives no bit count: the image's header says 32.
    ASSERT_TRUE(Decode32(MakeIco({{32, 32, 0, false, 5}}), image));
    EXPECT_EQ(image.pixels[0], 5u);
}

TEST(IconImage, LeavesEveryOtherFormToTheSystem) {
    Image32 image;
    // The best 32 x 32 image has fewer colours, or there is none of that size.
    EXPECT_FALSE(Decode32(MakeIco({{32, 8, 8}}), image));
    EXPECT_FALSE(Decode32(MakeIco({{16, 32, 32}, {48, 32, 32}, {256, 32, 32}}), image));
    EXPECT_FALSE(Decode32(MakeIco({{32, 32, 32, true}}), image));  // PNG
    // A 32-bit image beside a 24-bit one is still taken; two 32-bit ones: the first.
    EXPECT_TRUE(
        Decode32(MakeIco({{32, 24, 24}, {32, 32, 32, false, 3}, {32, 32, 32, false, 9}}), image));
    EXPECT_EQ(image.pixels[0], 3u);
    // Damaged files.
    const Bytes good = MakeIco({{32, 32, 32}});
    for (size_t cut : {size_t(0), size_t(5), size_t(21), size_t(60), good.size() - 1}) {
        EXPECT_FALSE(Decode32(Bytes(good.begin(), good.begin() + cut), image)) << cut;
    }
    Bytes wrongType = good;
    wrongType[2] = 2;  // a cursor file
    EXPECT_FALSE(Decode32(wrongType, image));
    Bytes farOffset = good;
    farOffset[18] = 0xFF;
    farOffset[21] = 0x7F;
    EXPECT_FALSE(Decode32(farOffset, image));
    Bytes compressed = good;
    compressed[22 + 16] = 3;  // biCompression BI_BITFIELDS
    EXPECT_FALSE(Decode32(compressed, image));
}

// The program's own and the demo's icons are of the common form.
TEST(IconImage, RealIconFiles) {
    std::string root = __FILE__;  // <root>/tests/unit/icon_image_test.cpp
    for (int i = 0; i < 3; ++i) root.erase(root.find_last_of('/'));
    for (const char* name : {"/res/art/app.ico", "/demo/icons/zip.ico"}) {
        std::ifstream in(root + name, std::ios::binary);
        const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_FALSE(file.empty()) << name;
        Image32 image;
        EXPECT_TRUE(Decode32(file, image)) << name;
        int opaque = 0;
        for (std::uint32_t p : image.pixels) opaque += (p >> 24) == 0xFF;
        EXPECT_GT(opaque, 100) << name;
    }
}

}  // namespace
