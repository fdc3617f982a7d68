// Finding a name whatever its letter case natively: one folder listing per component that
// does not exist as written.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/file_name_case.h"
#include "app/utf.h"
#include "checker/letter_case.h"

namespace {

bool Exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

std::string Join(const std::string& folder, const std::string& name) {
    if (folder == ".") return name;
    return folder.back() == '/' ? folder + name : folder + '/' + name;
}

// The entries of the folder that are the name ignoring letter case: the one written so
// first, then the others in byte order, so that the answer does not depend on the order of
// the listing.
std::vector<std::string> Candidates(const std::string& folder, const WString& name) {
    std::vector<std::string> names;
    const std::string written = WideToUtf8(name);
    if (name == WSTR(".") || name == WSTR("..")) return {written};
    if (Exists(Join(folder, written))) names.push_back(written);
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
    if (!dir) return names;
    const WString folded = FoldFileNameCase(name);
    std::vector<std::string> others;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string candidate = entry->d_name;
        if (candidate != written && FoldFileNameCase(Utf8ToWide(candidate)) == folded) {
            others.push_back(candidate);
        }
    }
    std::sort(others.begin(), others.end());
    names.insert(names.end(), others.begin(), others.end());
    return names;
}

// Like a search on Windows, where "soft" and "Soft" are one folder: every folder of a name
// is tried, since the file may be in another one than the name written.
bool Walk(const std::string& folder, const std::vector<WString>& parts, size_t next, WString& out) {
    if (next == parts.size()) return Exists(folder);
    for (const std::string& name : Candidates(folder, parts[next])) {
        const size_t length = out.size();
        if (!out.empty() && out.back() != '\\') out += WSTR('\\');
        out += Utf8ToWide(name);
        if (Walk(Join(folder, name), parts, next + 1, out)) return true;
        out.resize(length);
    }
    return false;
}

class CPosixLetterCaseFinder final : public ILetterCaseFinder {
public:
    bool FindIgnoringCase(const WString& text, WString& found) override {
        std::vector<WString> parts;
        WString part;
        for (const WChar c : text) {
            if (c == '*' || c == '?') return false;
            if (c != '\\' && c != '/') {
                part += c;
            } else if (!part.empty()) {
                parts.push_back(std::move(part));
                part.clear();
            }
        }
        // As with a search, a text that ends in a separator names no entry.
        if (part.empty()) return false;
        parts.push_back(std::move(part));

        const bool absolute = text.front() == '\\' || text.front() == '/';
        WString out = absolute ? WString(WSTR("\\")) : WString();
        if (!Walk(absolute ? "/" : ".", parts, 0, out)) return false;
        found = std::move(out);
        return true;
    }
};

}  // namespace

ILetterCaseFinder* PlatformLetterCaseFinder() {
    static CPosixLetterCaseFinder finder;
    return &finder;
}
