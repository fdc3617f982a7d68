// A small writer of indented JSON text, for the checker's machine-readable report.
#pragma once

#include <cstdint>
#include <vector>

#include "app/wstring.h"

// A JSON string literal: quotes, backslashes and control characters escaped, an unpaired
// surrogate replaced by U+FFFD so that the text stays valid Unicode.
WString JsonQuote(WStringView text);

class CJsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // The name of the next member of the current object.
    void Key(WStringView name);
    void String(WStringView value);
    void Number(int64_t value);
    void Bool(bool value);
    void Null();

    // The document, ending in a line break.
    WString Take();

private:
    void BeforeValue();
    void Close(WChar bracket);
    void NewLine();

    WString m_text;
    std::vector<bool> m_hasItems;  // per open object or array
    bool m_afterKey = false;
};
