// The system ANSI code page decoder: a platform function (ansi_win32.cpp, ansi_posix.cpp).
#pragma once

#include <string_view>

#include "app/wstring.h"

// Decodes bytes in the system ANSI code page as MultiByteToWideChar(CP_ACP, 0) does; sets
// bInvalid when some bytes are not defined in it. Natively the code page is 936, the one the
// catalogues are written in.
WString DecodeAnsi(std::string_view bytes, bool& bInvalid);
