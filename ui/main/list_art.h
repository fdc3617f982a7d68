// The font and the row bitmaps that the main window lends to all its lists and buttons. They
// are made once per process, at the first window's initialisation, and live until the process
// ends, so that no list or button ever holds a pointer to a deleted one.
#pragma once

#include <windows.h>

#include "fw/gdi.h"
#include "ui/controls/list_ex.h"

struct ListArt {
    CFont font;  // a copy of the main window's dialog font
    CListEx::RowBitmaps entryRows{};
    CListEx::RowBitmaps headerRows{};
    CListEx::RowBitmaps categoryRows{};
};

// The process's art; hDialogFont is copied by the first call and ignored afterwards.
const ListArt& SharedListArt(HFONT hDialogFont);
