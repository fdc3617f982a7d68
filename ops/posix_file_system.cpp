// The native file system for checking catalogues on Linux: Windows-style texts, POSIX calls.
#include <dirent.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/utf.h"
#include "ops/file_system.h"

namespace {

bool IsWildcard(WChar unit) {
    return unit == WSTR('*') || unit == WSTR('?');
}

// '*' matches any run of units, '?' exactly one. Backtracks to the last '*' only, which is
// enough because a '*' can absorb whatever an earlier one would have.
bool MatchesPattern(WStringView pattern, WStringView name) {
    size_t p = 0, n = 0;
    size_t star = WStringView::npos, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == WSTR('*')) {
            star = p++;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == WSTR('?') || pattern[p] == name[n])) {
            ++p, ++n;
        } else if (star != WStringView::npos) {
            p = star + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == WSTR('*')) ++p;
    return p == pattern.size();
}

WString WithSlashes(WStringView text) {
    WString slashed(text);
    for (WChar& unit : slashed) {
        if (unit == WSTR('\\')) unit = WSTR('/');
    }
    return slashed;
}

bool AnyEntryMatches(const std::string& folder, WStringView pattern) {
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
    if (!dir) return false;
    while (const dirent* entry = readdir(dir.get())) {
        if (MatchesPattern(pattern, Utf8ToWide(entry->d_name))) return true;
    }
    return false;
}

class CPosixFileSystem final : public IFileSystem {
public:
    // There are no drive letters here.
    unsigned DriveType(const WString&) override { return kDriveNoRootDir; }

    bool Copy(const WString& from, const WString& to, bool failIfExists) override {
        if (from.find(WChar{0}) != WString::npos || to.find(WChar{0}) != WString::npos) {
            return false;
        }
        namespace fs = std::filesystem;
        std::error_code error;
        const auto options =
            failIfExists ? fs::copy_options::none : fs::copy_options::overwrite_existing;
        return fs::copy_file(WideToUtf8(WithSlashes(from)), WideToUtf8(WithSlashes(to)), options,
                             error) &&
               !error;
    }

protected:
    bool FindMatch(const WString& text) override {
        const WString slashed = WithSlashes(text);
        const size_t cut = slashed.rfind(WSTR('/'));
        const WStringView name =
            cut == WString::npos ? WStringView(slashed) : WStringView(slashed).substr(cut + 1);
        const WStringView folder = cut == WString::npos ? WStringView()
                                   : cut == 0           ? WStringView(slashed).substr(0, 1)
                                                        : WStringView(slashed).substr(0, cut);
        // As with FindFirstFileW: a text that ends in a separator names no entry, and
        // wildcards in a folder component make the text invalid.
        if (name.empty()) return false;
        for (WChar unit : folder) {
            if (IsWildcard(unit)) return false;
        }
        bool wildcards = false;
        for (WChar unit : name) wildcards = wildcards || IsWildcard(unit);
        if (!wildcards) {
            struct stat info;
            return stat(WideToUtf8(slashed).c_str(), &info) == 0;
        }
        return AnyEntryMatches(folder.empty() ? std::string(".") : WideToUtf8(folder), name);
    }

    // Only regular files have a size here, as only files can be opened on Windows without
    // the backup flag.
    bool MeasureFile(const WString& path, uint64_t& size) override {
        struct stat info;
        if (stat(WideToUtf8(WithSlashes(path)).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
            return false;
        }
        size = static_cast<uint64_t>(info.st_size);
        return true;
    }
};

}  // namespace

IFileSystem& PlatformFileSystem() {
    static CPosixFileSystem fileSystem;
    return fileSystem;
}
