// GDI ownership and scoped device contexts.
#include <windows.h>

#include <gtest/gtest.h>

#include <type_traits>
#include <utility>

#include "fw/gdi.h"
#include "fw/image_list.h"

namespace {

static_assert(!std::is_copy_constructible_v<CBitmap> && std::is_move_constructible_v<CBitmap>);
static_assert(!std::is_copy_constructible_v<CSelectObject> &&
              !std::is_copy_constructible_v<CMemoryDC>);

HBITMAP NewBitmap(int cx, int cy) {
    return ::CreateBitmap(cx, cy, 1, 32, nullptr);
}

TEST(FwGdi, MovedFromBitmapNoLongerDeletes) {
    const HBITMAP h = NewBitmap(13, 7);
    {
        CBitmap b;
        {
            CBitmap a(h);
            EXPECT_EQ(a.GetSize().cx, 13);
            EXPECT_EQ(a.GetSize().cy, 7);
            b = std::move(a);
            EXPECT_EQ(a.GetSafeHandle(), nullptr);
            EXPECT_FALSE(a.DeleteObject());
            EXPECT_EQ(a.GetSize().cx, 0);
        }
        // The moved-from object went without deleting the bitmap.
        EXPECT_EQ(::GetObjectType(h), static_cast<DWORD>(OBJ_BITMAP));
        EXPECT_EQ(b.GetSafeHandle(), h);
        // Moving another bitmap in deletes the one held so far.
        const HBITMAP h2 = NewBitmap(2, 2);
        CBitmap c(h2);
        CBitmap d(std::move(b));
        d = std::move(c);
        EXPECT_EQ(::GetObjectType(h), 0u);
        EXPECT_EQ(d.GetSafeHandle(), h2);
    }

    // Attach replaces and deletes; Detach hands the bitmap over without deleting it.
    const HBITMAP h3 = NewBitmap(3, 3), h4 = NewBitmap(4, 4);
    {
        CBitmap e(h3);
        e.Attach(h4);
        EXPECT_EQ(::GetObjectType(h3), 0u);
        EXPECT_EQ(e.Detach(), h4);
    }
    EXPECT_EQ(::GetObjectType(h4), static_cast<DWORD>(OBJ_BITMAP));
    ::DeleteObject(h4);

    // A bitmap resource that does not exist leaves the object empty.
    CBitmap missing(NewBitmap(1, 1));
    EXPECT_FALSE(missing.LoadBitmap(65000));
    EXPECT_EQ(missing.GetSafeHandle(), nullptr);
}

TEST(FwGdi, SelectionGuardsRestoreTheOldObjectsInOrder) {
    CClientDC screen(nullptr);
    CMemoryDC mem(screen);
    ASSERT_NE(static_cast<HDC>(mem), nullptr);
    const HGDIOBJ bitmap0 = ::GetCurrentObject(mem, OBJ_BITMAP);
    const HGDIOBJ font0 = ::GetCurrentObject(mem, OBJ_FONT);
    CBitmap b1(NewBitmap(8, 8)), b2(NewBitmap(9, 9));
    LOGFONTW lf{};
    lf.lfHeight = 12;
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    LOGFONTW back{};
    ASSERT_EQ(font.GetLogFont(&back), static_cast<int>(sizeof back));
    EXPECT_EQ(back.lfHeight, 12);
    {
        CSelectObject s1(mem, b1);
        CSelectObject sf(mem, font);
        EXPECT_EQ(s1.Old(), bitmap0);
        EXPECT_EQ(::GetCurrentObject(mem, OBJ_BITMAP), b1.GetSafeHandle());
        EXPECT_EQ(::GetCurrentObject(mem, OBJ_FONT), font.GetSafeHandle());
        {
            CSelectObject s2(mem, b2);
            EXPECT_EQ(::GetCurrentObject(mem, OBJ_BITMAP), b2.GetSafeHandle());
        }
        EXPECT_EQ(::GetCurrentObject(mem, OBJ_BITMAP), b1.GetSafeHandle());
    }
    EXPECT_EQ(::GetCurrentObject(mem, OBJ_BITMAP), bitmap0);
    EXPECT_EQ(::GetCurrentObject(mem, OBJ_FONT), font0);
    // Deselected, the bitmaps can be deleted.
    EXPECT_TRUE(b1.DeleteObject());
    EXPECT_TRUE(b2.DeleteObject());
}

// Image lists and icons have the same owner as the GDI objects: moved, never copied, freed once.
static_assert(!std::is_copy_constructible_v<CImageList> &&
              std::is_move_constructible_v<CImageList>);
static_assert(!std::is_copy_constructible_v<CIcon> && std::is_move_assignable_v<CIcon>);

// (A moved image list is tested with the list views, FwList.MovedImageListIsDestroyedOnce.)
TEST(FwGdi, IconsAreDestroyedOnceByTheirLastOwner) {
    const BYTE andMask[4 * 32] = {}, xorMask[4 * 32] = {};
    CIcon icon(::CreateIcon(nullptr, 32, 32, 1, 1, andMask, xorMask));
    ASSERT_NE(icon.GetSafeHandle(), nullptr);
    const HICON hIcon = icon;
    {
        CIcon other;
        other = std::move(icon);
        EXPECT_EQ(icon.GetSafeHandle(), nullptr);
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(hIcon, &info));
        ::DeleteObject(info.hbmMask);
        ::DeleteObject(info.hbmColor);
    }
    ICONINFO info{};
    EXPECT_FALSE(::GetIconInfo(hIcon, &info)) << "destroyed with its last owner";
}

// The drawing helpers: a fill in one colour, a bitmap at its own size or stretched, and a
// saved state that undoes what a step changed.
TEST(FwGdi, FillDrawAndSavedDC) {
    CClientDC screen(nullptr);
    CMemoryDC target(screen), source(screen);
    CBitmap canvas(::CreateCompatibleBitmap(screen, 20, 10));
    CSelectObject on(target, canvas);
    fw::Fill(target, fw::ToRect(RECT{0, 0, 20, 10}), RGB(0, 0, 255));
    EXPECT_EQ(::GetPixel(target, 19, 9), RGB(0, 0, 255));

    CBitmap red(::CreateCompatibleBitmap(screen, 2, 2));
    {
        CSelectObject sel(source, red);
        fw::Fill(source, RECT{0, 0, 2, 2}, RGB(255, 0, 0));
    }
    fw::Draw(target, source, red, 1, 1);  // its own 2 x 2
    EXPECT_EQ(::GetPixel(target, 2, 2), RGB(255, 0, 0));
    EXPECT_EQ(::GetPixel(target, 3, 3), RGB(0, 0, 255));
    fw::Draw(target, source, red, 10, 0, 10, 10);  // stretched over the right half
    EXPECT_EQ(::GetPixel(target, 19, 9), RGB(255, 0, 0));
    EXPECT_EQ(::GetPixel(target, 9, 9), RGB(0, 0, 255));
    fw::Draw(target, source, CBitmap(), 0, 0, 20, 10);  // nothing to draw
    EXPECT_EQ(::GetPixel(target, 0, 0), RGB(0, 0, 255));

    ::SetTextColor(target, RGB(1, 2, 3));
    {
        CSavedDC saved(target);
        ::SetTextColor(target, RGB(4, 5, 6));
    }
    EXPECT_EQ(::GetTextColor(target), RGB(1, 2, 3));
}

}  // namespace
