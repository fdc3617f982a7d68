#include "checker/names.h"

#include <algorithm>
#include <string>

#include "app/file_name_case.h"

namespace {

bool IsSpace(WChar c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x1A;
}

// Edits between two names, a swap of two neighbouring units counting as one: a typing slip
// such as "Chekced" is one edit from "Checked".
size_t EditDistance(const WString& a, const WString& b) {
    const size_t width = b.size() + 1;
    std::vector<size_t> rows(3 * width);  // row i lives at (i % 3) * width
    const auto row = [&rows, width](size_t i) { return &rows[(i % 3) * width]; };
    for (size_t j = 0; j < width; ++j) row(0)[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t* current = row(i);
        const size_t* previous = row(i - 1);
        current[0] = i;
        for (size_t j = 1; j < width; ++j) {
            size_t best = std::min(
                {previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (a[i - 1] != b[j - 1])});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                best = std::min(best, row(i - 2)[j - 2] + 1);
            }
            current[j] = best;
        }
    }
    return row(a.size())[b.size()];
}

// Full-width ASCII forms and the ideographic space as their ASCII counterparts.
WChar FoldUnitWidth(WChar c) {
    const auto u = static_cast<char16_t>(c);
    if (u >= 0xFF01 && u <= 0xFF5E) return static_cast<WChar>(u - 0xFEE0);
    if (u == 0x3000) return WSTR(' ');
    return c;
}

// A name as suggestions compare it: letter case and width aside.
WString Loose(WStringView name) {
    WString loose = FoldName(name);
    for (WChar& c : loose) c = FoldFileNameUnit(FoldUnitWidth(c));
    return loose;
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
    const WString loose = Loose(name);
    const size_t allowed = loose.size() / 3;
    const WString* best = nullptr;
    size_t bestDistance = 0;
    for (const WString& candidate : candidates) {
        const WString other = Loose(candidate);
        const size_t longer = std::max(loose.size(), other.size());
        if (longer - std::min(loose.size(), other.size()) > allowed) continue;
        const size_t distance = EditDistance(loose, other);
        if (distance <= allowed && (best == nullptr || distance < bestDistance)) {
            best = &candidate;
            bestDistance = distance;
        }
    }
    return best != nullptr ? *best : WString();
}

bool IsCommentName(WStringView name) {
    return !name.empty() && (name.front() == ';' || name.front() == '#' || name.front() == '/');
}
