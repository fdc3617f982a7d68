// The ANSI decoder on Windows: the system code page through MultiByteToWideChar.
#include <windows.h>

#include <climits>

#include "app/ansi.h"

WString DecodeAnsi(std::string_view bytes, bool& bInvalid) {
    bInvalid = false;
    if (bytes.empty()) return {};
    if (bytes.size() > INT_MAX / 2) {  // far beyond any catalogue; nothing sensible to decode
        bInvalid = true;
        return {};
    }
    const int size = static_cast<int>(bytes.size());
    // A code page 936 character is never more units than bytes, so one buffer of that size
    // serves both passes. The strict pass succeeds on a sound file and then is the result;
    // only a damaged file is decoded again leniently, which is what the platform's own
    // profile reader does.
    WString out(bytes.size(), L'\0');
    int units =
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), size, out.data(), size);
    if (units <= 0) {
        bInvalid = true;
        units = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, out.data(), size);
    }
    out.resize(units > 0 ? static_cast<size_t>(units) : 0);
    return out;
}
