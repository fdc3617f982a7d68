#include "app/catalogue_text.h"

#include "app/ansi.h"
#include "app/utf.h"

namespace {

bool StartsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

DecodedText DecodeUtf16(std::string_view bytes, bool bigEndian) {
    DecodedText out;
    out.encoding = bigEndian ? TextEncoding::Utf16Be : TextEncoding::Utf16Le;
    out.bInvalid = bytes.size() % 2 != 0;  // the odd last byte is dropped, as the platform does
    out.strText.resize(bytes.size() / 2);
    for (size_t i = 0; i < out.strText.size(); ++i) {
        const auto b0 = static_cast<unsigned char>(bytes[2 * i]);
        const auto b1 = static_cast<unsigned char>(bytes[2 * i + 1]);
        out.strText[i] = static_cast<WChar>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0);
    }
    // Unpaired surrogates stay in the text, as the platform keeps them, but are reported.
    const WString& t = out.strText;
    for (size_t i = 0; i < t.size(); ++i) {
        const char16_t c = static_cast<char16_t>(t[i]);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < t.size() &&
            static_cast<char16_t>(t[i + 1]) >= 0xDC00 &&
            static_cast<char16_t>(t[i + 1]) <= 0xDFFF) {
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            out.bInvalid = true;
            break;
        }
    }
    return out;
}

}  // namespace

DecodedText DecodeCatalogueText(std::string_view bytes) {
    if (StartsWith(bytes, "\xFF\xFE")) return DecodeUtf16(bytes.substr(2), false);
    if (StartsWith(bytes, "\xFE\xFF")) return DecodeUtf16(bytes.substr(2), true);
    DecodedText out;
    if (StartsWith(bytes, "\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
        out.encoding = TextEncoding::Utf8Bom;
        out.bInvalid = !IsValidUtf8(bytes);
        out.strText = Utf8ToWide(bytes);
    } else if (IsValidUtf8(bytes)) {
        out.encoding = TextEncoding::Utf8;
        out.strText = Utf8ToWide(bytes);
    } else {
        out.encoding = TextEncoding::Ansi;
        out.strText = DecodeAnsi(bytes, out.bInvalid);
    }
    return out;
}

bool EncodeCatalogueText(TextEncoding encoding, WStringView text, std::string& bytes) {
    switch (encoding) {
        case TextEncoding::Utf16Le:
        case TextEncoding::Utf16Be: {
            const bool bigEndian = encoding == TextEncoding::Utf16Be;
            bytes.clear();
            for (const WChar c : text) {
                const auto unit = static_cast<char16_t>(c);
                const char high = static_cast<char>(unit >> 8);
                const char low = static_cast<char>(unit & 0xFF);
                bytes.push_back(bigEndian ? high : low);
                bytes.push_back(bigEndian ? low : high);
            }
            return true;
        }
        case TextEncoding::Utf8Bom:
        case TextEncoding::Utf8:
            bytes = WideToUtf8(text);
            return true;
        case TextEncoding::Ansi:
            break;
    }
    return EncodeAnsi(text, bytes);
}
