// Where CenterWindow puts a window: plain arithmetic over rectangles, free of <windows.h> so
// that it is tested natively.
#pragma once

namespace fw {

struct CentreBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct CentrePoint {
    int x = 0;
    int y = 0;
};

// The top-left corner that puts a window of width cx and height cy over the middle of
// `over`. A top-level window (bKeepInArea) is then pushed back into `area` (its monitor's
// work area), the right and bottom edges first, so that a window larger than the area shows
// its top-left corner; a child is centred in its parent whatever sticks out.
constexpr CentrePoint CentredOrigin(const CentreBox& over, int cx, int cy, const CentreBox& area,
                                    bool bKeepInArea) {
    CentrePoint pt{(over.left + over.right) / 2 - cx / 2, (over.top + over.bottom) / 2 - cy / 2};
    if (bKeepInArea) {
        if (pt.x + cx > area.right) pt.x = area.right - cx;
        if (pt.x < area.left) pt.x = area.left;
        if (pt.y + cy > area.bottom) pt.y = area.bottom - cy;
        if (pt.y < area.top) pt.y = area.top;
    }
    return pt;
}

}  // namespace fw
