// Reading a whole file natively, for tools and tests that run on Linux.
#include <cstdio>

#include "app/file_reader.h"
#include "app/utf.h"

bool ReadWholeFile(const WString& path, std::string& bytes) {
    bytes.clear();
    std::string name = WideToUtf8(path);
    for (char& c : name) {
        if (c == '\\') c = '/';
    }
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (file == nullptr) return false;
    char chunk[65536];
    bool ok = true;
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        if (bytes.size() + got > kMaxReadFileSize) {
            ok = false;
            break;
        }
        bytes.append(chunk, got);
    }
    ok = ok && !std::ferror(file);
    std::fclose(file);
    if (!ok) bytes.clear();
    return ok;
}
