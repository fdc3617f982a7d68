// Full paths natively: the absolute POSIX path, written with backslashes.
#include <filesystem>
#include <system_error>

#include "app/utf.h"
#include "checker/full_path.h"

namespace {

std::filesystem::path Absolute(const WString& path) {
    std::string name = WideToUtf8(path);
    for (char& c : name) {
        if (c == '\\') c = '/';
    }
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(name, error);
    if (error) full = name;
    return full.lexically_normal();
}

WString AsFolder(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    WString out = Utf8ToWide(folder);
    for (WChar& c : out) {
        if (c == '/') c = '\\';
    }
    return out;
}

}  // namespace

WString FolderOfFile(const WString& path) {
    return AsFolder(Absolute(path).parent_path().string());
}

WString FullFolderPath(const WString& folder) {
    return AsFolder(Absolute(folder).string());
}
