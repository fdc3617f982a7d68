#include "checker/encoding_checks.h"

#include "app/ansi.h"
#include "app/utf.h"

namespace {

// Calls visit(line, number) for each line of a text, without its line break.
template <typename Text, typename Visit>
void ForEachLine(const Text& text, Visit visit) {
    int number = 1;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        visit(text.substr(start, i - start), number++);
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) visit(text.substr(start), number);
}

bool HasLoneSurrogate(WStringView line) {
    for (size_t i = 0; i < line.size(); ++i) {
        const auto c = static_cast<char16_t>(line[i]);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < line.size() &&
            static_cast<char16_t>(line[i + 1]) >= 0xDC00 &&
            static_cast<char16_t>(line[i + 1]) <= 0xDFFF) {
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<int> LinesWithInvalidBytes(std::string_view bytes, const DecodedText& decoded) {
    std::vector<int> lines;
    if (!decoded.bInvalid) return lines;
    switch (decoded.encoding) {
        case TextEncoding::Utf16Le:
        case TextEncoding::Utf16Be: {
            // Line breaks are whole units here, so the decoded text has the file's lines.
            int last = 0;
            ForEachLine(WStringView(decoded.strText), [&](WStringView line, int number) {
                if (HasLoneSurrogate(line)) lines.push_back(number);
                last = number;
            });
            // An odd byte at the end is dropped: it belongs to the last line.
            if (bytes.size() % 2 != 0 && (lines.empty() || lines.back() != last)) {
                lines.push_back(last == 0 ? 1 : last);
            }
            break;
        }
        case TextEncoding::Utf8Bom:
        case TextEncoding::Utf8:
            // No byte of a multi-byte sequence is a line break, so lines can be checked alone.
            ForEachLine(bytes.substr(decoded.encoding == TextEncoding::Utf8Bom ? 3 : 0),
                        [&](std::string_view line, int number) {
                            if (!IsValidUtf8(line)) lines.push_back(number);
                        });
            break;
        case TextEncoding::Ansi:
            // A lead byte at the end of a line is invalid on its own, and is found on its line.
            ForEachLine(bytes, [&](std::string_view line, int number) {
                bool invalid = false;
                DecodeAnsi(line, invalid);
                if (invalid) lines.push_back(number);
            });
            break;
    }
    return lines;
}

void CheckEncoding(std::string_view bytes, const DecodedText& decoded,
                   std::vector<Finding>& findings) {
    Finding encoding;
    encoding.kind = FindingKind::Encoding;
    findings.push_back(encoding);
    if (!decoded.bInvalid) return;
    Finding invalid;
    invalid.kind = FindingKind::InvalidBytes;
    invalid.lines = LinesWithInvalidBytes(bytes, decoded);
    // The decoder found something that no single line shows (the lines of a pair broken by
    // a line break): the finding stays, about no one line.
    invalid.nLine = invalid.lines.empty() ? 0 : invalid.lines.front();
    findings.push_back(std::move(invalid));
}
