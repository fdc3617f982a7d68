// The ANSI decoder and encoder on Windows: the system code page through MultiByteToWideChar
// and WideCharToMultiByte.
#include <windows.h>

#include <climits>
#include <string>

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

bool EncodeAnsi(WStringView text, std::string& bytes) {
    bytes.clear();
    if (text.empty()) return true;
    if (text.size() > INT_MAX / 2) return false;
    const int units = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), units, nullptr,
                                         0, nullptr, &usedDefault);
    if (size <= 0 || usedDefault) return false;
    bytes.resize(static_cast<size_t>(size));
    const int written = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), units,
                                            bytes.data(), size, nullptr, &usedDefault);
    if (written != size || usedDefault) {
        bytes.clear();
        return false;
    }
    return true;
}
