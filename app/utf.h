// Conversions between UTF-8 bytes and UTF-16 strings.
#pragma once

#include <string>
#include <string_view>

#include "app/wstring.h"

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Decodes UTF-8; each ill-formed sequence becomes U+FFFD.
WString Utf8ToWide(std::string_view bytes);

// Encodes UTF-16; an unpaired surrogate becomes U+FFFD.
std::string WideToUtf8(WStringView text);
