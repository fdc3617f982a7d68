// The main window's layout arithmetic against the worked example of an 800 x 480 client area,
// with and without the countdown labels, and a larger client area.
#include "ui/main/main_layout.h"

#include <gtest/gtest.h>

using mainlayout::Compute;
using mainlayout::Input;
using mainlayout::Output;
using mainlayout::Rect;

namespace {

// The controls at their created sizes, the entry list's columns 100 + 180 + 30 after the
// first, 65-pixel rows and a 17-pixel scroll bar.
Input MainWindow(int width, int height, bool bCountdown, int nRows) {
    Input in;
    in.nClientWidth = width;
    in.nClientHeight = height;
    in.bCountdown = bCountdown;
    in.nSecondsWidth = 20;
    in.nCountdownWidth = 140;
    in.selectAll = {140, 28};
    in.save = {104, 28};
    in.install = {88, 28};
    in.options = {19, 28};
    in.forum = {95, 31};
    in.help = {95, 31};
    in.nRows = nRows;
    in.nRowHeight = 65;
    in.nOtherColumnsWidth = 310;
    in.nScrollBarWidth = 17;
    return in;
}

TEST(MainLayout, WorkedExampleWithoutCountdown) {
    const Output out = Compute(MainWindow(800, 480, false, 5));
    EXPECT_EQ(out.options, (Rect{767, 447, 786, 475}));
    EXPECT_EQ(out.install, (Rect{679, 447, 767, 475}));
    EXPECT_EQ(out.save, (Rect{569, 447, 673, 475}));
    EXPECT_EQ(out.selectAll, (Rect{177, 447, 317, 475}));
    EXPECT_EQ(out.entries, (Rect{161, 77, 786, 440}));
    EXPECT_EQ(out.nNameColumnWidth, 314);  // five rows fit: 5 x 65 + 2 <= 363
    EXPECT_EQ(out.help, (Rect{698, 34, 793, 65}));
    EXPECT_EQ(out.forum, (Rect{596, 34, 691, 65}));
    EXPECT_EQ(out.prev, (Rect{10, 77, 154, 103}));
    EXPECT_EQ(out.next, (Rect{10, 414, 154, 440}));
    EXPECT_EQ(out.category, (Rect{12, 103, 152, 412}));
    EXPECT_EQ(out.repaint[0], (Rect{152, 0, 161, 480}));
    EXPECT_EQ(out.repaint[1], (Rect{0, 0, 12, 480}));
    EXPECT_EQ(out.repaint[2], (Rect{786, 0, 800, 480}));
    EXPECT_EQ(out.repaint[3], (Rect{0, 0, 786, 77}));
    EXPECT_EQ(out.repaint[4], (Rect{0, 440, 786, 480}));
}

TEST(MainLayout, WorkedExampleWithCountdown) {
    const Output out = Compute(MainWindow(800, 480, true, 5));
    EXPECT_EQ(out.selectAll, (Rect{327, 447, 467, 475}));
    EXPECT_EQ(out.seconds, (Rect{80, 450, 100, 475}));
    EXPECT_EQ(out.countdown, (Rect{104, 451, 244, 475}));
    // Nothing else moves for the labels.
    EXPECT_EQ(out.save, (Rect{569, 447, 673, 475}));
    EXPECT_EQ(out.entries, (Rect{161, 77, 786, 440}));
}

// Larger: the right-hand buttons follow the right edge, the bottom row the bottom edge, the
// panes stretch; the left edges and the previous button stay.
TEST(MainLayout, LargerClientAreaAndTheScrollBar) {
    const Output fits = Compute(MainWindow(1024, 700, true, 8));
    EXPECT_EQ(fits.options, (Rect{991, 667, 1010, 695}));
    EXPECT_EQ(fits.install, (Rect{903, 667, 991, 695}));
    EXPECT_EQ(fits.save, (Rect{793, 667, 897, 695}));
    EXPECT_EQ(fits.selectAll, (Rect{327, 667, 467, 695}));
    EXPECT_EQ(fits.seconds, (Rect{80, 670, 100, 695}));
    EXPECT_EQ(fits.help, (Rect{922, 34, 1017, 65}));
    EXPECT_EQ(fits.forum, (Rect{820, 34, 915, 65}));
    EXPECT_EQ(fits.prev, (Rect{10, 77, 154, 103}));
    EXPECT_EQ(fits.next, (Rect{10, 634, 154, 660}));
    EXPECT_EQ(fits.category, (Rect{12, 103, 152, 632}));
    EXPECT_EQ(fits.entries, (Rect{161, 77, 1010, 660}));
    EXPECT_EQ(fits.nNameColumnWidth, 538);  // 8 x 65 + 2 = 522 <= 583
    // A ninth row no longer fits (587 > 583): the scroll bar's width comes off.
    EXPECT_EQ(Compute(MainWindow(1024, 700, true, 9)).nNameColumnWidth, 521);
}

TEST(MainLayout, NameColumnAtTheEdgeOfFitting) {
    Input in = MainWindow(800, 480, false, 1);
    in.nRowHeight = 361;  // 361 + 2 = the pane's 363: still fits
    EXPECT_EQ(Compute(in).nNameColumnWidth, 314);
    in.nRowHeight = 362;
    EXPECT_EQ(Compute(in).nNameColumnWidth, 297);
    // A huge list does not wrap round to "fits".
    in.nRows = 40000000;
    in.nRowHeight = 65;
    EXPECT_EQ(Compute(in).nNameColumnWidth, 297);
    in.nRows = 0;
    EXPECT_EQ(Compute(in).nNameColumnWidth, 314);
}

}  // namespace
