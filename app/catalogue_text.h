// Decoding a catalogue file's bytes to UTF-16 text, detecting its encoding; and encoding text
// back into it.
#pragma once

#include <string>
#include <string_view>

#include "app/wstring.h"

enum class TextEncoding {
    Utf16Le,  // byte-order mark FF FE
    Utf16Be,  // byte-order mark FE FF (the platform reader accepts it too)
    Utf8Bom,  // byte-order mark EF BB BF
    Utf8,     // no byte-order mark, and the bytes are valid UTF-8 (plain ASCII included)
    Ansi,     // anything else: the system ANSI code page (936 on the target systems)
};

struct DecodedText {
    WString strText;  // without the byte-order mark
    TextEncoding encoding = TextEncoding::Utf8;
    // Some bytes were not valid in that encoding and were replaced (an odd last byte or an
    // unpaired surrogate in UTF-16, an ill-formed sequence in UTF-8, a byte sequence that the
    // code page does not define).
    bool bInvalid = false;
};

DecodedText DecodeCatalogueText(std::string_view bytes);

// Encodes text in a catalogue encoding, without a byte-order mark. False when some character
// has no exact form in the ANSI code page.
bool EncodeCatalogueText(TextEncoding encoding, WStringView text, std::string& bytes);
