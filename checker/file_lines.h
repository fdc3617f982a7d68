// The file's own line numbers for the lines the catalogue reader sees. They differ only when
// a broken double-byte character in the ANSI code page takes a line break with it: the reader
// then sees two of the file's lines as one, and every later line one number early.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "app/catalogue_text.h"

// Lines end at "\r\n", "\r" or "\n", in the file as in the text read from it.
// The line breaks of a text as an editor counts them: CR LF, CR and LF each end one line.
template <typename Text>
size_t CountLineEnds(const Text& text) {
    size_t ends = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        ++ends;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    return ends;
}

class CFileLines {
public:
    CFileLines(std::string_view bytes, const DecodedText& decoded);

    // The file's line on which the reader's line starts; 0 stays 0.
    int FileLine(int readLine) const;

private:
    std::vector<int> m_fileLine;  // per reader's line from 1; empty when the numbers agree
};
