#include "checker/names.h"

#include <algorithm>
#include <string>

namespace {

bool IsSpace(WChar c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x1A;
}

size_t EditDistance(const WString& a, const WString& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

WString FoldName(WStringView name) {
    name = name.substr(0, name.find(WChar{0}));
    while (!name.empty() && IsSpace(name.front())) name.remove_prefix(1);
    while (!name.empty() && IsSpace(name.back())) name.remove_suffix(1);
    WString folded(name);
    for (WChar& c : folded) {
        if (c >= 'A' && c <= 'Z') c = static_cast<WChar>(c + ('a' - 'A'));
    }
    return folded;
}

WString NumberedName(WStringView prefix, size_t n) {
    WString name(prefix);
    for (const char c : std::to_string(n)) name.push_back(static_cast<WChar>(c));
    return name;
}

size_t NameNumber(WStringView name, WStringView prefix) {
    const WString folded = FoldName(name);
    const WString foldedPrefix = FoldName(prefix);
    if (folded.size() <= foldedPrefix.size() ||
        folded.compare(0, foldedPrefix.size(), foldedPrefix) != 0) {
        return 0;
    }
    const WStringView digits = WStringView(folded).substr(foldedPrefix.size());
    if (digits.size() > 9 || digits.front() == '0') return 0;
    size_t n = 0;
    for (const WChar c : digits) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + static_cast<size_t>(c - '0');
    }
    return n;
}

WString NearestName(WStringView name, const std::vector<WString>& candidates) {
    const WString folded = FoldName(name);
    const WString* best = nullptr;
    size_t bestDistance = 0;
    for (const WString& candidate : candidates) {
        const size_t distance = EditDistance(folded, FoldName(candidate));
        if (best == nullptr || distance < bestDistance) {
            best = &candidate;
            bestDistance = distance;
        }
    }
    return best != nullptr ? *best : WString();
}

bool IsCommentName(WStringView name) {
    return !name.empty() && (name.front() == ';' || name.front() == '#' || name.front() == '/');
}
