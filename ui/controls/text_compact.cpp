#include "ui/controls/text_compact.h"

#include <vector>

namespace listgeo {
namespace {

bool IsHighSurrogate(WChar c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(WChar c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

WString CompactText(WStringView text, int width, const TextMeasure& measure) {
    if (text.empty() || measure(text) <= width) return WString(text);
    const int dots = measure(kEllipsis);
    if (dots > width) return {};

    // Places where the text may be cut: every unit boundary except the middle of a surrogate
    // pair, shorter than the whole text (at least one character goes).
    std::vector<size_t> cuts{0};
    for (size_t i = 1; i < text.size(); ++i) {
        if (!(IsLowSurrogate(text[i]) && IsHighSurrogate(text[i - 1]))) cuts.push_back(i);
    }

    // The longest kept part is found by halving rather than by dropping one character at a
    // time: a description may run to thousands of characters and every measure is a GDI call.
    // A longer part of a text is never narrower than a shorter one, so both ways give the same
    // cut. cuts[lo] is always acceptable: it fits, or it is the empty part.
    size_t lo = 0;
    size_t hi = cuts.size();
    while (hi - lo > 1) {
        const size_t mid = lo + (hi - lo) / 2;
        if (measure(text.substr(0, cuts[mid])) + dots <= width) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    WString result(text.substr(0, cuts[lo]));
    result += kEllipsis;
    return result;
}

}  // namespace listgeo
