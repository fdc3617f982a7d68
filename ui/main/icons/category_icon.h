// A category's icon for the 16 x 16 category images, made where it costs the window nothing.
#pragma once

#include <windows.h>

#include "app/wstring.h"
#include "fw/image_list.h"
#include "ui/main/icons/loaded_icon.h"

// Loads the file's 32 x 32 icon and scales it as ImageList_ReplaceIcon would for a 16 x 16
// list, keeping the bits (any thread may do this). An icon the bits cannot stand for (one
// without colour) is kept whole for the system instead; a file that is no icon gives neither.
LoadedIcon LoadCategoryIcon(const WString& path);

// Adds what LoadCategoryIcon made to a 16 x 16 list of ILC_COLOR32 | ILC_MASK: the bits in one
// ImageList_Add, the same image the system's way would store; hFallback when there is nothing.
void AddCategoryIcon(CImageList& list, const LoadedIcon& icon, HICON hFallback);
