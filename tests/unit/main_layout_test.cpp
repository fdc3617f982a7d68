// The main window's layout arithmetic against the worked example of an 800 x 480 client area,
// with and without the countdown labels, and a larger client area.
#include "ui/main/main_layout.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <vector>

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

struct Place {
    const char* name;
    Rect Output::*rect;
    Rect expected;
};

struct Case {
    const char* what;
    Input in;
    std::vector<Place> places;
};

// Larger: the right-hand buttons follow the right edge, the bottom row the bottom edge, the
// panes stretch; the left edges and the previous button stay. With the countdown labels only
// the select-all box moves.
const Case kCases[] = {
    {"worked example",
     MainWindow(800, 480, false, 5),
     {{"options", &Output::options, {767, 447, 786, 475}},
      {"install", &Output::install, {679, 447, 767, 475}},
      {"save", &Output::save, {569, 447, 673, 475}},
      {"selectAll", &Output::selectAll, {177, 447, 317, 475}},
      {"entries", &Output::entries, {161, 77, 786, 440}},
      {"help", &Output::help, {698, 34, 793, 65}},
      {"forum", &Output::forum, {596, 34, 691, 65}},
      {"prev", &Output::prev, {10, 77, 154, 103}},
      {"next", &Output::next, {10, 414, 154, 440}},
      {"category", &Output::category, {12, 103, 152, 412}}}},
    {"worked example with countdown",
     MainWindow(800, 480, true, 5),
     {{"selectAll", &Output::selectAll, {327, 447, 467, 475}},
      {"seconds", &Output::seconds, {80, 450, 100, 475}},
      {"countdown", &Output::countdown, {104, 451, 244, 475}},
      {"save", &Output::save, {569, 447, 673, 475}},
      {"entries", &Output::entries, {161, 77, 786, 440}}}},
    {"1024 x 700 with countdown",
     MainWindow(1024, 700, true, 5),
     {{"options", &Output::options, {991, 667, 1010, 695}},
      {"install", &Output::install, {903, 667, 991, 695}},
      {"save", &Output::save, {793, 667, 897, 695}},
      {"selectAll", &Output::selectAll, {327, 667, 467, 695}},
      {"seconds", &Output::seconds, {80, 670, 100, 695}},
      {"help", &Output::help, {922, 34, 1017, 65}},
      {"forum", &Output::forum, {820, 34, 915, 65}},
      {"prev", &Output::prev, {10, 77, 154, 103}},
      {"next", &Output::next, {10, 634, 154, 660}},
      {"category", &Output::category, {12, 103, 152, 632}},
      {"entries", &Output::entries, {161, 77, 1010, 660}}}},
};

TEST(MainLayout, PlacesInTheWorkedExampleAndALargerClientArea) {
    for (const Case& c : kCases) {
        const Output out = Compute(c.in);
        for (const Place& p : c.places)
            EXPECT_EQ(out.*p.rect, p.expected) << c.what << ": " << p.name;
    }
    // The strips between and around the panes of the worked example.
    EXPECT_EQ(
        Compute(MainWindow(800, 480, false, 5)).repaint,
        (std::array<Rect, 5>{Rect{152, 0, 161, 480}, Rect{0, 0, 12, 480}, Rect{786, 0, 800, 480},
                             Rect{0, 0, 786, 77}, Rect{0, 440, 786, 480}}));
}

// Rows that fit leave the name column the rest of the pane (625 less 310 and 1); one pixel
// more and the scroll bar's 17 come off. The worked example's pane holds 363 pixels of rows,
// the larger one's 583.
TEST(MainLayout, NameColumnAndTheScrollBar) {
    const struct {
        int width, height, nRows, nRowHeight, nExpected;
    } kRows[] = {
        {800, 480, 5, 65, 314},         // 5 x 65 + 2 = 327
        {800, 480, 1, 361, 314},        // 361 + 2 = 363: still fits
        {800, 480, 1, 362, 297},        //
        {800, 480, 40000000, 65, 297},  // a huge list does not wrap round to "fits"
        {800, 480, 0, 65, 314},         //
        {1024, 700, 8, 65, 538},        // 8 x 65 + 2 = 522
        {1024, 700, 9, 65, 521},        // 587
    };
    for (const auto& r : kRows) {
        Input in = MainWindow(r.width, r.height, true, r.nRows);
        in.nRowHeight = r.nRowHeight;
        EXPECT_EQ(Compute(in).nNameColumnWidth, r.nExpected)
            << r.width << " x " << r.height << ", " << r.nRows << " rows of " << r.nRowHeight;
    }
}

// The catalogue's size, raised to 800 x 500 and lowered to the screen's work area, whatever
// the integers: the extremes must not overflow (the sanitizers see it).
TEST(MainLayout, WindowSizeBetweenTheSmallestAndTheScreen) {
    using mainlayout::Size;
    using mainlayout::WindowSize;
    constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    const struct {
        int nWidth, nHeight;
        Size area, expected;
    } kSizes[] = {
        {640, 480, {1280, 800}, {800, 500}},     // raised
        {1024, 700, {1280, 800}, {1024, 700}},   // as asked
        {1280, 800, {1280, 800}, {1280, 800}},   // the whole work area
        {1281, 801, {1280, 800}, {1280, 800}},   // lowered
        {kMax, kMax, {1280, 800}, {1280, 800}},  //
        {kMin, kMin, {1280, 800}, {800, 500}},   //
        {kMax, 600, {640, 480}, {800, 500}},     // a screen smaller than the smallest window
        {900, kMax, {0, 0}, {800, 500}},         // no work area known
    };
    for (const auto& c : kSizes) {
        const Size got = WindowSize(c.nWidth, c.nHeight, c.area);
        EXPECT_EQ(got.cx, c.expected.cx) << c.nWidth << " in " << c.area.cx;
        EXPECT_EQ(got.cy, c.expected.cy) << c.nHeight << " in " << c.area.cy;
    }
}

}  // namespace
