// Console output natively: UTF-8 bytes.
#include <cstdio>
#include <string>

#include "app/utf.h"
#include "checker/console.h"

bool WriteOutput(OutputStream stream, WStringView text) {
    std::FILE* file = stream == OutputStream::Error ? stderr : stdout;
    const std::string bytes = WideToUtf8(text);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fflush(file) == 0 && written;
}
