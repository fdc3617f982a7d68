#include "app/file_name_case.h"

WChar FoldFileNameUnit(WChar c) {
    const auto u = static_cast<char16_t>(c);
    const bool upper = (u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7) ||
                       (u >= 0x391 && u <= 0x3A9 && u != 0x3A2) || (u >= 0x410 && u <= 0x42F) ||
                       (u >= 0xFF21 && u <= 0xFF3A);
    if (upper) return static_cast<WChar>(u + 0x20);
    if (u >= 0x400 && u <= 0x40F) return static_cast<WChar>(u + 0x50);
    return c;
}

WString FoldFileNameCase(WStringView name) {
    WString folded(name);
    for (WChar& c : folded) c = FoldFileNameUnit(c);
    return folded;
}
