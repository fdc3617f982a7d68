// UTF-16 strings for the portable code: the unit is 16 bits on every platform, as in the
// Win32 API, so that limits such as 4,095 or 260 characters count the same everywhere.
#pragma once

#include <string>
#include <string_view>

#if defined(_WIN32)
using WChar = wchar_t;
#define WSTR(s) L##s
#else
using WChar = char16_t;
#define WSTR(s) u##s
#endif

static_assert(sizeof(WChar) == 2, "strings are UTF-16 code units");

using WString = std::basic_string<WChar>;
using WStringView = std::basic_string_view<WChar>;
