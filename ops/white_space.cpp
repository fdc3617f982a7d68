#include "ops/white_space.h"

bool IsWideSpace(WChar unit) {
    const auto u = static_cast<char16_t>(unit);
    if (u == 0x20 || (u >= 0x09 && u <= 0x0D)) return true;
    if (u < 0xA0) return false;
    return u == 0xA0 || u == 0x1680 || (u >= 0x2000 && u <= 0x200A) || u == 0x2028 || u == 0x2029 ||
           u == 0x202F || u == 0x205F || u == 0x3000;
}

WString TrimWideSpace(WStringView text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsWideSpace(text[begin])) ++begin;
    while (end > begin && IsWideSpace(text[end - 1])) --end;
    return WString(text.substr(begin, end - begin));
}
