// An entry's icon file added to the main window's 32 x 32 image lists.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "app/wstring.h"
#include "fw/image_list.h"

// Adds the icon of the file to each list (32 x 32 lists only), as LoadImageW of 32 x 32 would
// load it; an icon that cannot be loaded is replaced by hFallback. The common form of icon
// (a 32-bit 32 x 32 image) goes in as a bitmap, without the icon object and the screen device
// contexts that loading and adding an icon take, which under Wine cost a millisecond or more
// per icon.
void AddEntryIcon(const WString& path, HICON hFallback, std::initializer_list<CImageList*> lists);
