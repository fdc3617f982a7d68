// Writing a new [Hashes] section into a catalogue file's bytes, touching nothing else: the
// encoding, the byte-order mark, the line ends and every byte outside the section stay.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/wstring.h"

struct HashSectionLine {
    WString strKey;    // the file's path relative to the exe folder, e.g. soft\7z setup.exe
    WString strValue;  // its SHA-256 in hex
};

struct HashSectionEdit {
    bool bOk = false;
    bool bReplaced = false;  // the section was there and was replaced; else it was appended
    int nLine = 0;           // the file line of the section's header in the new bytes
    std::string bytes;       // the new file
    WString strError;        // why not, when not bOk
};

// The section that the reader reads (the first [Hashes]) is replaced from its header line,
// which stays as written, to the end of its last key line: blank lines after it belong to
// what follows. Without one, a blank line and the section go at the end of the file. New
// lines end as the file's first line does ("\r\n" when it has none). Fails when a line
// cannot be written in the file's encoding (a character the ANSI code page lacks) or when a
// UTF-16 file has an odd number of bytes.
HashSectionEdit WriteHashSection(std::string_view bytes, const std::vector<HashSectionLine>& lines);
