// Entry icons go into the image lists exactly as the system's icon loader would put them:
// the program's and the demo's icons, an icon of another form, and a file that is no icon.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "tests/win/gui_object_count.h"
#include "tests/win/main/main_test_support.h"
#include "ui/main/icons/category_icon.h"
#include "ui/main/icons/entry_icon.h"
#include "ui/main/icons/icon_prefetch.h"

namespace {

using uitest::Pixels;

Pixels Draw(const CImageList& list, int nImage, UINT nStyle) {
    return maintest::ImagePixels(list, nImage, 32, nStyle, RGB(10, 200, 30));
}

// Icons of other forms, in the folder: four.ico, 4-bit, which the system loads; masked.ico,
// 32-bit without alpha, whose mask makes two quarters transparent (the mask is what the lists
// draw by); and empty.ico, which is no icon.
void WriteTestIcons(const maintest::TempFolder& folder) {
    std::string ico4(6 + 16 + 40 + 16 * 4 + 512 + 128, '\0');
    const unsigned char header[] = {0, 0, 1, 0, 1, 0, 32, 32, 16, 0, 1, 0, 4, 0};
    std::copy(std::begin(header), std::end(header), ico4.begin());
    ico4[14] = static_cast<char>(40 + 64 + 512 + 128);
    ico4[15] = static_cast<char>((40 + 64 + 512 + 128) >> 8);
    ico4[18] = 22;
    const unsigned char info[] = {40, 0, 0, 0, 32, 0, 0, 0, 64, 0, 0, 0, 1, 0, 4, 0};
    std::copy(std::begin(info), std::end(info), ico4.begin() + 22);
    ico4[22 + 40 + 4 * 9 + 2] = '\xFF';  // colour 9 is red
    for (int i = 0; i < 512; ++i) ico4[22 + 40 + 64 + i] = static_cast<char>(i < 256 ? 0x99 : 0x00);
    ASSERT_TRUE(folder.WriteFile(L"four.ico", ico4));
    ASSERT_TRUE(folder.WriteFile(L"empty.ico", 100));
    std::string ico32(6 + 16 + 40 + 4096 + 128, '\0');
    const unsigned char header32[] = {0, 0, 1, 0, 1, 0, 32, 32, 0, 0, 1, 0, 32, 0};
    std::copy(std::begin(header32), std::end(header32), ico32.begin());
    ico32[14] = static_cast<char>((40 + 4096 + 128) & 0xFF);
    ico32[15] = static_cast<char>((40 + 4096 + 128) >> 8);
    ico32[18] = 22;
    const unsigned char info32[] = {40, 0, 0, 0, 32, 0, 0, 0, 64, 0, 0, 0, 1, 0, 32, 0};
    std::copy(std::begin(info32), std::end(info32), ico32.begin() + 22);
    for (int i = 0; i < 1024; ++i) ico32[22 + 40 + 4 * i + 2] = '\xC0';  // red, alpha 0
    // Transparent in the top left and bottom right quarters, at any size.
    for (int i = 0; i < 128; ++i)
        ico32[22 + 40 + 4096 + i] = ((i / 4) < 16) != ((i % 4) < 2) ? '\xFF' : '\0';
    ASSERT_TRUE(folder.WriteFile(L"masked.ico", ico32));
}

// The icon files of a test: the checkout's files named, then four.ico, empty.ico, absent.ico
// (which is not there) and masked.ico in the folder.
std::vector<std::wstring> IconFiles(const maintest::TempFolder& folder,
                                    std::initializer_list<const wchar_t*> inCheckout) {
    std::vector<std::wstring> files;
    for (const wchar_t* pszPath : inCheckout) files.push_back(lxtest::CheckoutPath(pszPath));
    for (const wchar_t* pszName : {L"four.ico", L"empty.ico", L"absent.ico", L"masked.ico"})
        files.push_back(folder.Path() + pszName);
    return files;
}

TEST(EntryIcon, LikeTheSystemsIconLoader) {
    const maintest::TempFolder folder(L"bundor_entry_icon");
    ASSERT_NO_FATAL_FAILURE(WriteTestIcons(folder));
    const HICON hFallback = ::LoadIconW(nullptr, IDI_WARNING);
    const std::vector<std::wstring> files =
        IconFiles(folder, {L"res/art/app.ico", L"demo/icons/zip.ico", L"demo/icons/missing.ico"});
    CImageList ours = maintest::WhiteImageList(), second = maintest::WhiteImageList(),
               system = maintest::WhiteImageList();
    // Strips of at most two icons: some go in with others, some alone, some through the
    // system between strips, and the order must hold across all of them.
    CEntryIconStrip strip(hFallback, {&ours, &second}, 2);
    for (const std::wstring& file : files) strip.Add(file);
    for (const std::wstring& file : {files[0], files[1], files[6]}) strip.Add(file);
    strip.Flush();
    for (const std::wstring& file : {files[0], files[1], files[2], files[3], files[4], files[5],
                                     files[6], files[0], files[1], files[6]}) {
        const auto hIcon = static_cast<HICON>(::LoadImageW(
            nullptr, file.c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        system.Add(hIcon ? hIcon : hFallback);
        if (hIcon) ::DestroyIcon(hIcon);
    }
    ASSERT_EQ(ours.GetImageCount(), 10);
    ASSERT_EQ(second.GetImageCount(), 10);
    for (int i = 0; i < 10; ++i) {
        for (UINT style : {ILD_NORMAL, ILD_TRANSPARENT}) {
            EXPECT_EQ(Draw(ours, i, style), Draw(system, i, style)) << i << " style " << style;
            EXPECT_EQ(Draw(second, i, style), Draw(system, i, style)) << i;
        }
    }
    // The pictures differ from each other: the comparison above can fail.
    EXPECT_FALSE(Draw(system, 0, ILD_NORMAL) == Draw(system, 1, ILD_NORMAL));
    EXPECT_FALSE(Draw(system, 3, ILD_NORMAL) == Draw(system, 4, ILD_NORMAL));
}

// A category's icon, made off the window's thread, is the image the 16 x 16 list would make
// itself from the loaded icon, in every form.
TEST(CategoryIcon, LikeTheImageListsOwn) {
    const maintest::TempFolder folder(L"bundor_category_icon");
    ASSERT_NO_FATAL_FAILURE(WriteTestIcons(folder));
    const HICON hFallback = ::LoadIconW(nullptr, IDI_WARNING);
    const std::vector<std::wstring> files =
        IconFiles(folder, {L"res/art/app.ico", L"demo/icons/zip.ico", L"res/art/all-software.ico"});
    CImageList ours = maintest::WhiteImageList(16), system = maintest::WhiteImageList(16);
    for (const std::wstring& file : files) {
        const LoadedIcon icon = LoadCategoryIcon(file);
        EXPECT_EQ(icon.small != nullptr,
                  file.find(L"empty") == file.npos && file.find(L"absent") == file.npos)
            << file;
        AddCategoryIcon(ours, icon, hFallback);
        const CIcon loaded(LoadIconFile(file));
        system.Add(loaded ? loaded : hFallback);
    }
    ASSERT_EQ(ours.GetImageCount(), 7);
    for (int i = 0; i < 7; ++i)
        for (UINT style : {ILD_NORMAL, ILD_TRANSPARENT})
            EXPECT_EQ(maintest::ImagePixels(ours, i, 16, style, RGB(10, 200, 30)),
                      maintest::ImagePixels(system, i, 16, style, RGB(10, 200, 30)))
                << i << " style " << style;
    EXPECT_FALSE(maintest::ImagePixels(system, 0, 16) == maintest::ImagePixels(system, 1, 16));
}

// Icons read ahead by two workers, at most two ahead, come back in the order asked for and as
// read on the spot; a read-ahead dropped early lets go of what it holds, and its worker of the
// icon it was reading.
TEST(EntryIcon, ReadAheadKeepsTheOrder) {
    const std::wstring app = lxtest::CheckoutPath(L"res/art/app.ico"),
                       zip = lxtest::CheckoutPath(L"demo/icons/zip.ico"),
                       absent = lxtest::CheckoutPath(L"demo/icons/absent.ico");
    std::vector<CIconPrefetch::Job> jobs;
    for (int i = 0; i < 12; ++i)
        jobs.push_back({i % 3 == 0 ? app : i % 3 == 1 ? zip : absent, i % 4 != 0});
    const long gdi = GdiObjectCount(), user = UserObjectCount();
    {
        CIconPrefetch ahead(jobs, 2, 2);
        for (size_t i = 0; i < jobs.size(); ++i) {
            const LoadedIcon got = ahead.Next();
            EXPECT_EQ(got.path, jobs[i].path) << i;
            if (!jobs[i].bEntry) {
                EXPECT_FALSE(got.image) << i;
                EXPECT_EQ(got.small != nullptr, jobs[i].path != absent) << i;
                continue;
            }
            const LoadedIcon direct = LoadEntryIcon(jobs[i].path);
            ASSERT_EQ(got.image != nullptr, direct.image != nullptr) << i;
            EXPECT_EQ(got.icon != nullptr, direct.icon != nullptr) << i;
            if (got.image) {
                EXPECT_EQ(got.image->pixels, direct.image->pixels) << i;
            }
        }
        EXPECT_TRUE(ahead.NextIsReady());  // nothing left to wait for
        const LoadedIcon after = ahead.Next();
        EXPECT_TRUE(!after.image && !after.icon && after.path.empty());
    }
    {
        // Ready once its worker has read it; without a worker, Next reads it itself.
        CIconPrefetch one(std::vector<CIconPrefetch::Job>(2, {zip, true}), 1, 1);
        const ULONGLONG end = ::GetTickCount64() + 5000;
        while (!one.NextIsReady() && ::GetTickCount64() < end) ::Sleep(1);
        EXPECT_TRUE(one.NextIsReady());
        EXPECT_TRUE(one.Next().image);
        CIconPrefetch none(std::vector<CIconPrefetch::Job>(1, {zip, true}), 0);
        EXPECT_TRUE(none.NextIsReady());
        EXPECT_TRUE(none.Next().image);
    }
    {
        std::vector<CIconPrefetch::Job> many(300, {absent, false});
        for (size_t i = 0; i < many.size(); i += 2) many[i] = {app, false};
        CIconPrefetch ahead(many, 1, 50);
        EXPECT_TRUE(ahead.Next().small);
    }
    // A worker still reading when its read-ahead went lets go of that icon once it has it.
    const ULONGLONG end = ::GetTickCount64() + 5000;
    while (GdiObjectCount() > gdi + 2 && ::GetTickCount64() < end) ::Sleep(10);
    EXPECT_LE(GdiObjectCount(), gdi + 2);
    EXPECT_LE(UserObjectCount(), user + 2);
}

}  // namespace
