// The main window's layout arithmetic: where every control goes for a client size, which parts
// of the window are repainted, and how wide the shown entry list's name column is.
#pragma once

#include <array>

#include "ui/controls/list_geometry.h"

namespace mainlayout {

// Client rectangles are the catalogue list's: one type for every rectangle of the window.
using listgeo::Rect;

struct Size {
    int cx = 0;
    int cy = 0;
};

// The smallest window the user can make it (WM_GETMINMAXINFO).
inline constexpr int kMinWidth = 800;
inline constexpr int kMinHeight = 500;

// The window's outer size for the catalogue's MainWidth and MainHeight: raised to the smallest
// window, and lowered to the area the screen gives it (its work area), so that a value near
// the largest integer neither overflows the window's arithmetic nor puts its caption out of
// reach. The smallest window wins over a smaller screen.
Size WindowSize(int nWidth, int nHeight, Size area);

// Fixed measures of the layout.
inline constexpr int kPaneTop = 77;         // top of the entry pane and of the previous button
inline constexpr int kEntryLeft = 161;      // left edge of the entry pane
inline constexpr int kRightMargin = 14;     // entry pane's right edge from the client's
inline constexpr int kBottomMargin = 5;     // bottom row's line from the client's bottom
inline constexpr int kPaneGap = 7;          // entry pane's bottom above the install button
inline constexpr int kTopButtonsTop = 34;   // forum and help buttons
inline constexpr int kHelpRightMargin = 7;  // help button's right edge from the client's
inline constexpr int kCategoryLeft = 12;    // category list, x
inline constexpr int kCategoryRight = 152;
inline constexpr int kCategoryButtonLeft = 10;  // previous and next buttons, x
inline constexpr int kCategoryButtonRight = 154;
inline constexpr int kCategoryButtonHeight = 26;
inline constexpr int kCategoryWidth = 140;  // width of the category list's column
// The countdown labels keep their created heights less 3 and 4 at every layout, so that
// repeated layouts never shrink them.
inline constexpr int kSecondsLeft = 80;
inline constexpr int kSecondsHeight = 25;
inline constexpr int kCountdownGap = 4;
inline constexpr int kCountdownHeight = 24;
// Select-all box from the entry pane's left edge, with and without the countdown labels.
inline constexpr int kSelectAllOffset = 16;
inline constexpr int kSelectAllOffsetCountdown = 166;
inline constexpr int kSaveGap = 6;  // save button left of the install button

struct Input {
    int nClientWidth = 0;
    int nClientHeight = 0;
    bool bCountdown = false;  // the countdown labels are laid out
    int nSecondsWidth = 0;    // the labels' own widths
    int nCountdownWidth = 0;
    // The buttons' own sizes; the previous and next buttons get a fixed size.
    Size selectAll, save, install, options, forum, help;
    // The shown entry list: its rows, their height, the summed width of its columns after the
    // first, and the width of a vertical scroll bar.
    int nRows = 0;
    int nRowHeight = 0;
    int nOtherColumnsWidth = 0;
    int nScrollBarWidth = 0;
};

struct Output {
    Rect seconds, countdown;  // only meaningful with the countdown
    Rect selectAll, options, install, save, help, forum;
    Rect category, prev, next, entries;
    int nNameColumnWidth = 0;
    // Strips of the window outside the lists, repainted with their background after a layout:
    // between the panes, left of the category column, right of the entry pane, above and
    // below the panes.
    std::array<Rect, 5> repaint;
};

Output Compute(const Input& in);

}  // namespace mainlayout
