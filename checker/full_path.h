// Where a file lies, as the launcher's exe folder would be if it sat beside the file.
#pragma once

#include "app/wstring.h"

// The full path of the folder that holds the file, Windows-style with backslashes and
// ending in one ("E:\" for E:\Bundor.INI). Natively the path is the POSIX one written with
// backslashes ("\media\cd\"), which the native file system reads back.
WString FolderOfFile(const WString& path);

// The full path of a folder given on the command line, in the same form and ending in a
// backslash: a relative folder is taken from the current directory here and now, so that
// nothing later puts a folder in front of it again.
WString FullFolderPath(const WString& folder);
