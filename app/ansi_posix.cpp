// The ANSI decoder and encoder natively: code page 936 through iconv. Invalid sequences are
// decoded the way MultiByteToWideChar(936, 0) decodes them under Wine, so that native tools
// read a damaged catalogue the way the product does.
#include <errno.h>
#include <iconv.h>

#include <cstdint>
#include <string>

#include "app/ansi.h"

namespace {

constexpr WChar kDefaultChar = '?';  // the code page's default character

bool IsLeadByte(unsigned char b) {
    return b >= 0x81 && b <= 0xFE;
}

// The three user-defined (private-use) areas of code page 936 follow a formula; iconv does not
// know them. Returns 0 for any other pair.
char16_t UserDefined(unsigned char lead, unsigned char trail) {
    if (lead >= 0xAA && lead <= 0xAF && trail >= 0xA1 && trail <= 0xFE)
        return static_cast<char16_t>(0xE000 + (lead - 0xAA) * 94 + (trail - 0xA1));
    if (lead >= 0xF8 && lead <= 0xFE && trail >= 0xA1 && trail <= 0xFE)
        return static_cast<char16_t>(0xE234 + (lead - 0xF8) * 94 + (trail - 0xA1));
    if (lead >= 0xA1 && lead <= 0xA7 && trail >= 0x40 && trail <= 0xA0 && trail != 0x7F)
        return static_cast<char16_t>(0xE4C6 + (lead - 0xA1) * 96 + (trail - 0x40) -
                                     (trail > 0x7F ? 1 : 0));
    return 0;
}

class Iconv {
public:
    explicit Iconv(const char* to = "UTF-16LE", const char* from = "CP936")
        : m_cd(iconv_open(to, from)) {}
    ~Iconv() {
        if (m_cd != reinterpret_cast<iconv_t>(-1)) iconv_close(m_cd);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    iconv_t Get() const { return m_cd; }

private:
    iconv_t m_cd;
};

}  // namespace

WString DecodeAnsi(std::string_view bytes, bool& bInvalid) {
    bInvalid = false;
    WString out;
    out.reserve(bytes.size());
    Iconv cd;
    if (cd.Get() == reinterpret_cast<iconv_t>(-1)) {  // no code page 936 here: ASCII only
        for (const char c : bytes) {
            const auto b = static_cast<unsigned char>(c);
            out.push_back(b < 0x80 ? static_cast<WChar>(b) : kDefaultChar);
            bInvalid = bInvalid || b >= 0x80;
        }
        return out;
    }
    size_t pos = 0;
    char buffer[4096];
    while (pos < bytes.size()) {
        char* in = const_cast<char*>(bytes.data() + pos);
        size_t inLeft = bytes.size() - pos;
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd.Get(), &in, &inLeft, &outPtr, &outLeft);
        const int err = errno;
        for (const char* p = buffer; p + 1 < outPtr; p += 2) {
            out.push_back(static_cast<WChar>(static_cast<unsigned char>(p[0]) |
                                             (static_cast<unsigned char>(p[1]) << 8)));
        }
        pos = bytes.size() - inLeft;
        if (rc != static_cast<size_t>(-1) || err == E2BIG) continue;

        // An undefined byte or pair at pos. Like Windows: a lead byte takes the next byte
        // with it unless that is NUL or missing (so a broken character can swallow a line
        // break); 0xFF maps to U+F8F5.
        iconv(cd.Get(), nullptr, nullptr, nullptr, nullptr);
        const auto b = static_cast<unsigned char>(bytes[pos]);
        const bool pair = IsLeadByte(b) && pos + 1 < bytes.size() && bytes[pos + 1] != 0;
        const char16_t user =
            pair ? UserDefined(b, static_cast<unsigned char>(bytes[pos + 1])) : char16_t(0);
        if (user != 0) {
            out.push_back(static_cast<WChar>(user));
        } else {
            out.push_back(b == 0xFF ? static_cast<WChar>(0xF8F5) : kDefaultChar);
            bInvalid = true;
        }
        pos += pair ? 2 : 1;
    }
    return out;
}

bool EncodeAnsi(WStringView text, std::string& bytes) {
    bytes.clear();
    std::string units;
    units.reserve(text.size() * 2);
    for (const WChar c : text) {
        units.push_back(static_cast<char>(c & 0xFF));
        units.push_back(static_cast<char>(c >> 8));
    }
    Iconv cd("CP936", "UTF-16LE");
    if (cd.Get() == reinterpret_cast<iconv_t>(-1)) {  // no code page 936 here: ASCII only
        for (const WChar c : text) {
            if (c >= 0x80) return false;
            bytes.push_back(static_cast<char>(c));
        }
        return true;
    }
    char* in = units.data();
    size_t inLeft = units.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd.Get(), &in, &inLeft, &out, &outLeft);
        const int err = errno;
        bytes.append(buffer, static_cast<size_t>(out - buffer));
        if (rc == static_cast<size_t>(-1) && err != E2BIG) return false;
        // iconv counts characters it had to replace; none may be.
        if (rc != static_cast<size_t>(-1) && rc != 0) return false;
    }
    return true;
}
