// A SHA-256 digest and its text form in a catalogue: 64 hexadecimal digits.
#pragma once

#include <array>
#include <cstdint>

#include "app/wstring.h"

using Sha256Digest = std::array<uint8_t, 32>;

// Exactly 64 hexadecimal digits, in either letter case; false for anything else (blanks,
// a prefix, a shorter or longer text).
bool ParseSha256Hex(WStringView text, Sha256Digest& digest);

// 64 lower-case hexadecimal digits, as sha256sum prints them.
WString Sha256Hex(const Sha256Digest& digest);
