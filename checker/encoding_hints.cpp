#include "checker/encoding_hints.h"

#include <string>

#include "app/ansi.h"
#include "app/utf.h"

namespace {

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// The line (1-based, as an editor counts them) and the byte in it (1-based) of an offset.
void LineAndColumn(std::string_view bytes, size_t at, int& line, int& column) {
    line = 1;
    size_t start = 0;
    for (size_t i = 0; i < at; ++i) {
        if (!IsLineEnd(bytes[i])) continue;
        if (bytes[i] == '\r' && i + 1 < at && bytes[i + 1] == '\n') ++i;
        ++line;
        start = i + 1;
    }
    column = static_cast<int>(at - start) + 1;
}

// The length of the UTF-8 sequence that starts at i, or 0 when none does.
size_t Utf8SequenceAt(std::string_view bytes, size_t i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    const size_t length = b < 0x80   ? 1
                          : b < 0xC2 ? 0
                          : b < 0xE0 ? 2
                          : b < 0xF0 ? 3
                          : b < 0xF5 ? 4
                                     : 0;
    return length != 0 && IsValidUtf8(bytes.substr(i, length)) ? length : 0;
}

WString HexByte(unsigned char b) {
    const char* digits = "0123456789ABCDEF";
    return {WSTR('0'), WSTR('x'), static_cast<WChar>(digits[b >> 4]),
            static_cast<WChar>(digits[b & 15])};
}

// Chinese in UTF-8 is three bytes a character; in code page 936 such sequences turn up only
// by chance, next to far more bytes that are no UTF-8. A file with at least three of them for
// every broken place was written in UTF-8.
void CheckBrokenUtf8(std::string_view bytes, std::vector<Finding>& findings) {
    size_t longSequences = 0;
    size_t broken = 0;
    size_t first = std::string_view::npos;
    bool inBroken = false;
    for (size_t i = 0; i < bytes.size();) {
        const size_t length = Utf8SequenceAt(bytes, i);
        if (length == 0) {
            if (!inBroken) ++broken;
            if (first == std::string_view::npos) first = i;
            inBroken = true;
            ++i;
            continue;
        }
        inBroken = false;
        longSequences += length >= 3;
        i += length;
    }
    if (first == std::string_view::npos || longSequences == 0 || longSequences < 3 * broken) {
        return;
    }
    Finding finding;
    finding.kind = FindingKind::Utf8ReadAsAnsi;
    LineAndColumn(bytes, first, finding.nLine, finding.nColumn);
    finding.strText = HexByte(static_cast<unsigned char>(bytes[first]));
    for (const char c : std::to_string(broken)) finding.strHint.push_back(static_cast<WChar>(c));
    findings.push_back(std::move(finding));
}

// Valid UTF-8 whose text is all below U+0800 has no Chinese in it: two bytes of code page
// 936 often make one such character ("小" is "С"). A real UTF-8 catalogue has Chinese names.
void CheckUtf8WithoutChinese(std::string_view bytes, const DecodedText& decoded,
                             std::vector<Finding>& findings) {
    size_t first = std::string_view::npos;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) >= 0x80) {
            first = i;
            break;
        }
    }
    if (first == std::string_view::npos) return;
    for (const WChar c : decoded.strText) {
        if (static_cast<char16_t>(c) >= 0x800) return;
    }
    // The non-ASCII text there, whole characters of both readings when it is short.
    size_t end = first;
    while (end < bytes.size() && static_cast<unsigned char>(bytes[end]) >= 0x80) ++end;
    constexpr size_t kShown = 32;
    if (end - first > kShown) {
        end = first;
        for (size_t length = 1; length != 0 && end - first < kShown; end += length) {
            length = Utf8SequenceAt(bytes, end);
        }
    }
    Finding finding;
    finding.kind = FindingKind::Utf8WithoutChinese;
    int column = 0;
    LineAndColumn(bytes, first, finding.nLine, column);
    const std::string_view text = bytes.substr(first, end - first);
    finding.strText = Utf8ToWide(text);
    bool invalid = false;
    finding.strHint = DecodeAnsi(text, invalid);
    findings.push_back(std::move(finding));
}

}  // namespace

void CheckEncodingGuess(std::string_view bytes, const DecodedText& decoded,
                        std::vector<Finding>& findings) {
    if (decoded.encoding == TextEncoding::Ansi) CheckBrokenUtf8(bytes, findings);
    if (decoded.encoding == TextEncoding::Utf8) CheckUtf8WithoutChinese(bytes, decoded, findings);
}
