// Paths for the code under test: where the test data files are, as a Windows-style path, and
// a filesystem path in the product's string type.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/utf.h"
#include "app/wstring.h"

// BUNDOR_TESTDATA is a Unix path in both builds. Under Wine its files are on drive Z:;
// natively ReadWholeFile turns the backslashes back into slashes.
inline WString TestDataFolder() {
    const char* env = std::getenv("BUNDOR_TESTDATA");
    std::string dir = env != nullptr ? env : "";
#if defined(_WIN32)
    dir = "Z:" + dir;
#endif
    for (char& c : dir) {
        if (c == '/') c = '\\';
    }
    if (!dir.empty() && dir.back() != '\\') dir += '\\';
    return Utf8ToWide(dir);
}

inline WString PathText(const std::filesystem::path& path) {
#if defined(_WIN32)
    return path.wstring();
#else
    return Utf8ToWide(path.string());
#endif
}
