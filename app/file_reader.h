// Reading a whole file into memory: a platform function (file_reader_win32.cpp, _posix.cpp).
#pragma once

#include <cstddef>
#include <string>

#include "app/wstring.h"

// Files larger than this are not read: a catalogue of 5,000 entries takes about 1.2 MiB, and
// a huge file on a damaged medium must not exhaust a 32-bit process.
inline constexpr size_t kMaxReadFileSize = 16u << 20;

// Reads the whole file at a Windows path into bytes. False when it does not exist, cannot be
// read, or is larger than kMaxReadFileSize. Natively '\' in the path is a folder separator.
bool ReadWholeFile(const WString& path, std::string& bytes);
