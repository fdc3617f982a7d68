// The folder of a file natively: the absolute POSIX path, written with backslashes.
#include <filesystem>
#include <system_error>

#include "app/utf.h"
#include "checker/full_path.h"

WString FolderOfFile(const WString& path) {
    std::string name = WideToUtf8(path);
    for (char& c : name) {
        if (c == '\\') c = '/';
    }
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(name, error);
    if (error) full = name;
    std::string folder = full.lexically_normal().parent_path().string();
    if (folder.empty() || folder.back() != '/') folder += '/';
    WString out = Utf8ToWide(folder);
    for (WChar& c : out) {
        if (c == '/') c = '\\';
    }
    return out;
}
