// Replacing a file's whole content so that a failure leaves the old file as it was: a
// platform function (file_replace_win32.cpp, file_replace_posix.cpp).
#pragma once

#include <string_view>

#include "app/wstring.h"

// Writes the bytes to a new file beside the old one, flushes it to the disk, then moves it
// over the old one's name. False, with the reason in error, when any step fails; the new
// file is removed again then. Natively '\' in the path is a folder separator and the new file
// keeps the old one's permissions.
bool ReplaceFileContent(const WString& path, std::string_view bytes, WString& error);
