// Where CenterWindow puts a window: over the middle of its owner, kept inside the work area
// when it is a top-level window.
#include "fw/centre.h"

#include <gtest/gtest.h>

namespace {

using fw::CentreBox;
using fw::CentredOrigin;

constexpr CentreBox kArea{0, 0, 1024, 700};

TEST(FwCentre, OverTheMiddleOfTheOwner) {
    const fw::CentrePoint pt = CentredOrigin(CentreBox{100, 50, 500, 450}, 200, 100, kArea, true);
    EXPECT_EQ(pt.x, 200);
    EXPECT_EQ(pt.y, 200);
    // Odd sizes: the middle rounds towards the top left of the window's own half.
    const fw::CentrePoint odd = CentredOrigin(CentreBox{0, 0, 101, 51}, 31, 11, kArea, true);
    EXPECT_EQ(odd.x, 50 - 15);
    EXPECT_EQ(odd.y, 25 - 5);
}

TEST(FwCentre, ATopLevelWindowStaysInTheWorkArea) {
    // An owner near the right and bottom edges pushes the window back inside.
    fw::CentrePoint pt = CentredOrigin(CentreBox{900, 600, 1020, 690}, 300, 200, kArea, true);
    EXPECT_EQ(pt.x, 1024 - 300);
    EXPECT_EQ(pt.y, 700 - 200);
    // And near the top left.
    pt = CentredOrigin(CentreBox{-50, -40, 10, 20}, 300, 200, kArea, true);
    EXPECT_EQ(pt.x, 0);
    EXPECT_EQ(pt.y, 0);
    // A work area that does not start at 0 (a task bar on the left or a second monitor).
    pt = CentredOrigin(CentreBox{1000, 0, 1100, 100}, 300, 200, CentreBox{1024, 30, 2048, 800},
                       true);
    EXPECT_EQ(pt.x, 1024);
    EXPECT_EQ(pt.y, 30);
}

TEST(FwCentre, AWindowLargerThanTheAreaShowsItsTopLeftCorner) {
    const fw::CentrePoint pt = CentredOrigin(kArea, 1200, 900, kArea, true);
    EXPECT_EQ(pt.x, 0);
    EXPECT_EQ(pt.y, 0);
}

TEST(FwCentre, AChildIsCentredWhateverSticksOut) {
    const fw::CentrePoint pt = CentredOrigin(CentreBox{0, 0, 100, 80}, 300, 200, kArea, false);
    EXPECT_EQ(pt.x, -100);
    EXPECT_EQ(pt.y, -60);
}

}  // namespace
