#include "ui/main/main_layout.h"

#include <algorithm>

namespace mainlayout {

Size WindowSize(int nWidth, int nHeight, Size area) {
    return {std::max(std::min(nWidth, area.cx), kMinWidth),
            std::max(std::min(nHeight, area.cy), kMinHeight)};
}

namespace {

// A control of the given size standing on the line yb with its right edge at right.
Rect StandRightAligned(int right, int yb, Size size) {
    return {right - size.cx, yb - size.cy, right, yb};
}

}  // namespace

Output Compute(const Input& in) {
    Output out;
    const int W = in.nClientWidth;
    const int H = in.nClientHeight;
    const int yb = H - kBottomMargin;
    const int EL = kEntryLeft;
    const int ER = W - kRightMargin;

    if (in.bCountdown) {
        out.seconds = {kSecondsLeft, yb - kSecondsHeight, kSecondsLeft + in.nSecondsWidth, yb};
        const int left = kSecondsLeft + kCountdownGap + in.nSecondsWidth;
        out.countdown = {left, yb - kCountdownHeight, left + in.nCountdownWidth, yb};
    }

    const int selectAllLeft = EL + (in.bCountdown ? kSelectAllOffsetCountdown : kSelectAllOffset);
    out.selectAll = {selectAllLeft, yb - in.selectAll.cy, selectAllLeft + in.selectAll.cx, yb};
    out.options = StandRightAligned(ER, yb, in.options);
    out.install = StandRightAligned(out.options.left, yb, in.install);
    out.save = StandRightAligned(out.install.left - kSaveGap, yb, in.save);

    const int EB = out.install.top - kPaneGap;

    const int helpRight = W - kHelpRightMargin;
    out.help = {helpRight - in.help.cx, kTopButtonsTop, helpRight, kTopButtonsTop + in.help.cy};
    const int forumRight = W - kRightMargin - in.help.cx;
    out.forum = {forumRight - in.forum.cx, kTopButtonsTop, forumRight,
                 kTopButtonsTop + in.forum.cy};

    out.prev = {kCategoryButtonLeft, kPaneTop, kCategoryButtonRight,
                kPaneTop + kCategoryButtonHeight};
    out.next = {kCategoryButtonLeft, EB - kCategoryButtonHeight, kCategoryButtonRight, EB};
    out.category = {kCategoryLeft, out.prev.bottom, kCategoryRight, EB - kCategoryButtonHeight - 2};
    out.entries = {EL, kPaneTop, ER, EB};

    // Rows that do not fit make the list show a vertical scroll bar, which takes its width
    // from the name column. The product of rows and height is computed in 64 bits: a huge
    // list must not wrap round to "fits".
    const long long rowsHeight = static_cast<long long>(in.nRows) * in.nRowHeight + 2;
    const bool bScrolls = rowsHeight > EB - kPaneTop;
    out.nNameColumnWidth =
        (ER - EL) - in.nOtherColumnsWidth - 1 - (bScrolls ? in.nScrollBarWidth : 0);

    out.repaint = {Rect{kCategoryRight, 0, EL, H}, Rect{0, 0, kCategoryLeft, H}, Rect{ER, 0, W, H},
                   Rect{0, 0, ER, kPaneTop}, Rect{0, EB, ER, H}};
    return out;
}

}  // namespace mainlayout
