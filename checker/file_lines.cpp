#include "checker/file_lines.h"

#include "app/ansi.h"

CFileLines::CFileLines(std::string_view bytes, const DecodedText& decoded) {
    // Line breaks are whole units in UTF-16, and no byte of a UTF-8 sequence is one.
    if (decoded.encoding != TextEncoding::Ansi || !decoded.bInvalid) return;
    if (CountLineEnds(bytes) == CountLineEnds(decoded.strText)) return;

    // A character never spans the start of a file line: the byte before it is a line break,
    // either alone or taken by the lead byte before it. So each file line, with its break,
    // decodes alone as it does in the whole file, and shows whether its break survived.
    std::vector<int> fileLine = {0, 1};
    int line = 1;
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        bool invalid = false;
        const size_t ends = CountLineEnds(DecodeAnsi(bytes.substr(start, i + 1 - start), invalid));
        ++line;
        for (size_t k = 0; k < ends; ++k) fileLine.push_back(line);
        start = i + 1;
    }
    // A decoder that worked otherwise: better the reader's numbers than wrong ones.
    if (fileLine.size() == CountLineEnds(decoded.strText) + 2) m_fileLine = std::move(fileLine);
}

int CFileLines::FileLine(int readLine) const {
    if (readLine <= 0 || m_fileLine.empty()) return readLine;
    const size_t index = static_cast<size_t>(readLine);
    return index < m_fileLine.size() ? m_fileLine[index] : m_fileLine.back();
}
