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
    // A strict pass only to learn whether every byte is defined; the text comes from the
    // lenient pass, which is what the platform's own profile reader does.
    bInvalid =
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0) == 0;
    const int units = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    if (units <= 0) {
        bInvalid = true;
        return {};
    }
    WString out(static_cast<size_t>(units), L'\0');
    const int written = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, out.data(), units);
    out.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return out;
}
