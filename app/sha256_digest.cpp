#include "app/sha256_digest.h"

namespace {

int HexValue(WChar c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool ParseSha256Hex(WStringView text, Sha256Digest& digest) {
    if (text.size() != 2 * digest.size()) return false;
    Sha256Digest parsed{};
    for (size_t i = 0; i < parsed.size(); ++i) {
        const int high = HexValue(text[2 * i]);
        const int low = HexValue(text[2 * i + 1]);
        if (high < 0 || low < 0) return false;
        parsed[i] = static_cast<uint8_t>(high * 16 + low);
    }
    digest = parsed;
    return true;
}

WString Sha256Hex(const Sha256Digest& digest) {
    static constexpr char kDigits[] = "0123456789abcdef";
    WString text;
    text.reserve(2 * digest.size());
    for (const uint8_t byte : digest) {
        text.push_back(static_cast<WChar>(kDigits[byte >> 4]));
        text.push_back(static_cast<WChar>(kDigits[byte & 15]));
    }
    return text;
}
