#include "checker/hashes_section_edit.h"

#include "app/catalogue_hashes.h"
#include "app/catalogue_text.h"
#include "app/profile.h"
#include "checker/file_lines.h"

namespace {

size_t BomSize(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf16Le:
        case TextEncoding::Utf16Be:
            return 2;
        case TextEncoding::Utf8Bom:
            return 3;
        case TextEncoding::Utf8:
        case TextEncoding::Ansi:
            break;
    }
    return 0;
}

// The file's lines over its bytes: where each starts and how the first one ends. Units are
// bytes, or byte pairs in UTF-16; a line break is a whole unit in every encoding.
class CByteLines {
public:
    CByteLines(std::string_view body, TextEncoding encoding) : m_body(body) {
        const bool utf16 = encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be;
        const bool bigEndian = encoding == TextEncoding::Utf16Be;
        m_unit = utf16 ? 2 : 1;
        if (!body.empty()) m_starts.push_back(0);
        for (size_t i = 0; i + m_unit <= body.size(); i += m_unit) {
            const WChar c = Unit(i, utf16, bigEndian);
            if (c != '\r' && c != '\n') continue;
            const bool pair = c == '\r' && i + 2 * m_unit <= body.size() &&
                              Unit(i + m_unit, utf16, bigEndian) == '\n';
            if (m_eol.empty()) m_eol = pair ? WSTR("\r\n") : WString(1, c);
            if (pair) i += m_unit;
            if (i + m_unit < body.size()) m_starts.push_back(i + m_unit);
            m_endsInBreak = i + m_unit == body.size();
        }
        if (m_eol.empty()) m_eol = WSTR("\r\n");
    }

    // Where file line n (from 1) starts; the end of the body for lines after the last.
    size_t Start(int n) const {
        const size_t index = static_cast<size_t>(n - 1);
        return n >= 1 && index < m_starts.size() ? m_starts[index] : m_body.size();
    }
    size_t Count() const { return m_starts.size(); }
    const WString& Eol() const { return m_eol; }
    // The last line ends in a line break (so a blank line follows it when one is added).
    bool EndsInBreak() const { return m_endsInBreak; }
    bool LineIsBlank(int n) const {
        for (size_t i = Start(n); i < Start(n + 1); ++i) {
            const char c = m_body[i];
            if (c != '\r' && c != '\n' && c != ' ' && c != '\t' && c != '\0') return false;
        }
        return true;
    }

private:
    WChar Unit(size_t i, bool utf16, bool bigEndian) const {
        const auto b0 = static_cast<unsigned char>(m_body[i]);
        if (!utf16) return static_cast<WChar>(b0);
        const auto b1 = static_cast<unsigned char>(m_body[i + 1]);
        return static_cast<WChar>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0);
    }

    std::string_view m_body;
    size_t m_unit = 1;
    std::vector<size_t> m_starts;
    WString m_eol;
    bool m_endsInBreak = false;
};

}  // namespace

HashSectionEdit WriteHashSection(std::string_view bytes,
                                 const std::vector<HashSectionLine>& lines) {
    HashSectionEdit edit;
    const DecodedText decoded = DecodeCatalogueText(bytes);
    const size_t bom = BomSize(decoded.encoding);
    const std::string_view body = bytes.substr(bom);
    if (bom == 2 && body.size() % 2 != 0) {
        edit.strError = WSTR("UTF-16 文件的字节数是奇数，最后一个字节不完整");
        return edit;
    }
    const CByteLines fileLines(body, decoded.encoding);
    const WString& eol = fileLines.Eol();

    WString section;
    for (const HashSectionLine& line : lines)
        section += line.strKey + WSTR("=") + line.strValue + eol;

    const CProfile profile(decoded.strText);
    const ProfileSection* found = profile.FindSection(kHashesSection);
    size_t from = body.size();
    size_t to = body.size();
    WString before;  // new text in front of the section's lines
    if (found != nullptr && found->nLine > 0) {
        // The reader's lines are the file's, except after a broken ANSI character that took
        // a line break with it; CFileLines knows where each of the reader's lines starts.
        const CFileLines readerLines(bytes, decoded);
        const int header = readerLines.FileLine(found->nLine);
        const int last = found->keys.empty() ? found->nLine : found->keys.back().nLine;
        const bool lastInFile = static_cast<size_t>(last) > CountLineEnds(decoded.strText);
        // The header line stays as written, with a break of its own if the file ends there.
        from = fileLines.Start(header + 1);
        to = lastInFile ? body.size() : fileLines.Start(readerLines.FileLine(last + 1));
        if (header == static_cast<int>(fileLines.Count()) && !fileLines.EndsInBreak()) {
            before = eol;
        }
        edit.bReplaced = true;
        edit.nLine = header;
    } else {
        const int count = static_cast<int>(fileLines.Count());
        if (count > 0 && !fileLines.EndsInBreak()) before += eol;
        if (count > 0 && !fileLines.LineIsBlank(count)) before += eol;
        before += WSTR("[") + WString(kHashesSection) + WSTR("]") + eol;
        edit.nLine = count + (count > 0 && !fileLines.LineIsBlank(count) ? 2 : 1);
    }

    std::string encoded;
    if (!EncodeCatalogueText(decoded.encoding, before + section, encoded)) {
        edit.strError = WSTR("有文件名无法用这个文件的编码写出");
        return edit;
    }
    edit.bytes.reserve(bytes.size() + encoded.size());
    edit.bytes.append(bytes.substr(0, bom + from));
    edit.bytes.append(encoded);
    edit.bytes.append(body.substr(to));
    edit.bOk = true;
    return edit;
}
