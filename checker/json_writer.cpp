#include "checker/json_writer.h"

#include <string>

namespace {

constexpr char kHex[] = "0123456789abcdef";

bool IsHigh(WChar c) {
    return static_cast<char16_t>(c) >= 0xD800 && static_cast<char16_t>(c) <= 0xDBFF;
}

bool IsLow(WChar c) {
    return static_cast<char16_t>(c) >= 0xDC00 && static_cast<char16_t>(c) <= 0xDFFF;
}

}  // namespace

WString JsonQuote(WStringView text) {
    WString out;
    out.reserve(text.size() + 2);
    out += WSTR('"');
    for (size_t i = 0; i < text.size(); ++i) {
        const WChar c = text[i];
        switch (c) {
            case '"':
                out += WSTR("\\\"");
                continue;
            case '\\':
                out += WSTR("\\\\");
                continue;
            case '\n':
                out += WSTR("\\n");
                continue;
            case '\r':
                out += WSTR("\\r");
                continue;
            case '\t':
                out += WSTR("\\t");
                continue;
            default:
                break;
        }
        if (static_cast<char16_t>(c) < 0x20) {
            out += WSTR("\\u00");
            out += static_cast<WChar>(kHex[(c >> 4) & 0xF]);
            out += static_cast<WChar>(kHex[c & 0xF]);
        } else if (IsHigh(c) && i + 1 < text.size() && IsLow(text[i + 1])) {
            out += c;
            out += text[++i];
        } else if (IsHigh(c) || IsLow(c)) {
            out += static_cast<WChar>(0xFFFD);
        } else {
            out += c;
        }
    }
    out += WSTR('"');
    return out;
}

void CJsonWriter::NewLine() {
    m_text += WSTR('\n');
    m_text.append(m_hasItems.size() * 2, WSTR(' '));
}

void CJsonWriter::BeforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_hasItems.empty()) {
        if (m_hasItems.back()) m_text += WSTR(',');
        m_hasItems.back() = true;
        NewLine();
    }
}

void CJsonWriter::Close(WChar bracket) {
    const bool hadItems = m_hasItems.back();
    m_hasItems.pop_back();
    if (hadItems) NewLine();
    m_text += bracket;
}

void CJsonWriter::BeginObject() {
    BeforeValue();
    m_text += WSTR('{');
    m_hasItems.push_back(false);
}

void CJsonWriter::EndObject() {
    Close(WSTR('}'));
}

void CJsonWriter::BeginArray() {
    BeforeValue();
    m_text += WSTR('[');
    m_hasItems.push_back(false);
}

void CJsonWriter::EndArray() {
    Close(WSTR(']'));
}

void CJsonWriter::Key(WStringView name) {
    BeforeValue();
    m_text += JsonQuote(name);
    m_text += WSTR(": ");
    m_afterKey = true;
}

void CJsonWriter::String(WStringView value) {
    BeforeValue();
    m_text += JsonQuote(value);
}

void CJsonWriter::Number(int64_t value) {
    BeforeValue();
    for (const char c : std::to_string(value)) m_text += static_cast<WChar>(c);
}

void CJsonWriter::Bool(bool value) {
    BeforeValue();
    m_text += value ? WSTR("true") : WSTR("false");
}

void CJsonWriter::Null() {
    BeforeValue();
    m_text += WSTR("null");
}

WString CJsonWriter::Take() {
    m_text += WSTR('\n');
    return std::move(m_text);
}
