// Entry and category icons added while the process is at its GDI quota, where no bitmap can be made.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/win/gdi_quota.h"
#include "tests/win/main/main_test_support.h"
#include "ui/main/icons/category_icon.h"
#include "ui/main/icons/entry_icon.h"

namespace {

// The icons that cannot go in leave their places empty: an entry's image is the one at its
// own index, so the icons after them still belong to their own entries.
TEST(EntryIcon, AtTheGdiQuotaTheIconsAfterAFailedOneStayInPlace) {
    const HICON hFallback = ::LoadIconW(nullptr, IDI_WARNING);
    const std::wstring app = lxtest::CheckoutPath(L"res/art/app.ico"),
                       zip = lxtest::CheckoutPath(L"demo/icons/zip.ico");
    // As the main window makes them: room for every entry's icon from the start.
    CImageList list;
    ASSERT_TRUE(list.Create(32, 32, ILC_COLOR32 | ILC_MASK, 5, 0));
    list.SetBkColor(RGB(255, 255, 255));
    CImageList expected = maintest::WhiteImageList();
    {
        CEntryIconStrip strip(hFallback, {&list}, 2);
        strip.Add(app);
        strip.Flush();
        {
            const GdiQuota quota(0);
            ASSERT_GT(quota.Taken(), 1000u);
            strip.Add(zip);  // a decoded icon, whose strip cannot be made
            strip.Flush();
            strip.Add(lxtest::CheckoutPath(L"demo/icons/missing.ico"));  // the fallback's turn
        }
        strip.Add(zip);
        strip.Add(app);
    }
    ASSERT_EQ(list.GetImageCount(), 5);
    for (const std::wstring& file : {app, zip}) {
        const auto hIcon = static_cast<HICON>(::LoadImageW(
            nullptr, file.c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        ASSERT_NE(hIcon, nullptr);
        expected.Add(hIcon);
        ::DestroyIcon(hIcon);
    }
    const auto draw = [](const CImageList& images, int i) {
        return maintest::ImagePixels(images, i, 32, ILD_NORMAL, RGB(10, 200, 30));
    };
    EXPECT_EQ(draw(list, 0), draw(expected, 0));
    EXPECT_EQ(draw(list, 3), draw(expected, 1));
    EXPECT_EQ(draw(list, 4), draw(expected, 0));
    EXPECT_FALSE(draw(expected, 0) == draw(expected, 1));

    // The same for the categories' 16 x 16 list.
    CImageList small = maintest::WhiteImageList(16);
    const LoadedIcon appSmall = LoadCategoryIcon(app), zipSmall = LoadCategoryIcon(zip);
    AddCategoryIcon(small, appSmall, hFallback);
    {
        const GdiQuota quota(0);
        AddCategoryIcon(small, zipSmall, hFallback);
    }
    AddCategoryIcon(small, zipSmall, hFallback);
    ASSERT_EQ(small.GetImageCount(), 3);
    EXPECT_EQ(maintest::ImagePixels(small, 2, 16), [&] {
        CImageList one = maintest::WhiteImageList(16);
        AddCategoryIcon(one, zipSmall, hFallback);
        return maintest::ImagePixels(one, 0, 16);
    }());
}

}  // namespace
