// Console output on Windows: WriteConsoleW on a console, UTF-8 through WriteFile otherwise.
#include <windows.h>

#include <string>

#include "app/utf.h"
#include "checker/console.h"
#include "checker/console_win32.h"

namespace {

// Consoles of older Windows versions refuse very large single writes.
constexpr size_t kConsoleChunk = 8192;

bool WriteConsoleText(HANDLE console, WStringView text) {
    while (!text.empty()) {
        size_t chunk = std::min(text.size(), kConsoleChunk);
        // Keep a surrogate pair together.
        if (chunk < text.size() && text[chunk - 1] >= 0xD800 && text[chunk - 1] <= 0xDBFF) {
            --chunk;
        }
        DWORD written = 0;
        if (!WriteConsoleW(console, text.data(), static_cast<DWORD>(chunk), &written, nullptr) ||
            written == 0) {
            return false;
        }
        text.remove_prefix(written);
    }
    return true;
}

bool WriteBytes(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        if (!WriteFile(file, bytes.data() + done, want, &written, nullptr) || written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

}  // namespace

bool WriteTextToHandle(void* handle, WStringView text) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) return WriteConsoleText(handle, text);
    WString crlf;
    crlf.reserve(text.size() + text.size() / 16);
    for (const wchar_t c : text) {
        if (c == L'\n') crlf += L'\r';
        crlf += c;
    }
    return WriteBytes(handle, WideToUtf8(crlf));
}

bool WriteOutput(OutputStream stream, WStringView text) {
    return WriteTextToHandle(
        GetStdHandle(stream == OutputStream::Error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE), text);
}
