// The main window's icon pipeline, as the window and the start-up benchmark use it.
//
// The catalogue's icon files go into the window's image lists in these steps, one file each:
//   icon_image     reads the common form of icon (a 32-bit 32 x 32 image) from the file's
//                  bytes; portable, in bundor_main_logic
//   loaded_icon    LoadedIcon: an icon file as read, decoded or scaled or loaded by the system
//   entry_icon     an entry's icon read, and CEntryIconStrip, which adds many to the 32 x 32 lists
//   category_icon  a category's icon made for the 16 x 16 list, and added to it
//   icon_prefetch  CIconPrefetch: icon files read ahead on worker threads, in the window's order
//   icon_feed      CIconFeed: what the window asks for, the first view's icons before it appears
//                  and the rest afterwards
// bundor_dlg_icons.cpp is the window's side: CBundorDlg starting the feed and taking its icons.
#pragma once

#include "ui/main/icons/entry_icon.h"
#include "ui/main/icons/icon_feed.h"
