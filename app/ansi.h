// The system ANSI code page's decoder and encoder: platform functions (ansi_win32.cpp,
// ansi_posix.cpp).
#pragma once

#include <string>
#include <string_view>

#include "app/wstring.h"

// Decodes bytes in the system ANSI code page as MultiByteToWideChar(CP_ACP, 0) does; sets
// bInvalid when some bytes are not defined in it. Natively the code page is 936, the one the
// catalogues are written in.
WString DecodeAnsi(std::string_view bytes, bool& bInvalid);

// Encodes text in the system ANSI code page (936 natively). False when some character has no
// exact form there: a best-fit substitute would write another name than the one meant.
bool EncodeAnsi(WStringView text, std::string& bytes);
