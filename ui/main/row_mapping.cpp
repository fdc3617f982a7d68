#include "ui/main/row_mapping.h"

namespace rowmap {

int AllIndexToCategory(std::span<const int> counts, int& row) {
    if (row < 0) return 0;
    // a: the last row of the all-entries list that belongs to categories 1 ... k.
    long long a = -1;
    for (size_t i = 0; i < counts.size(); ++i) {
        a += static_cast<long long>(counts[i]) + 1;
        if (a >= row) {
            row = static_cast<int>(row + counts[i] - a - 1);
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

int CategoryIndexToAll(std::span<const int> counts, int k, int row) {
    if (k < 1 || static_cast<size_t>(k) > counts.size()) return -1;
    long long all = static_cast<long long>(row) + 1;
    for (int i = 0; i + 1 < k; ++i) all += static_cast<long long>(counts[i]) + 1;
    return static_cast<int>(all);
}

bool IsTickChange(unsigned newState, unsigned oldState) {
    const unsigned n = newState & kStateImageMask;
    const unsigned o = oldState & kStateImageMask;
    return (n == kTicked && o == kUnticked) || (n == kUnticked && o == kTicked);
}

bool IsNewlySelected(unsigned newState, unsigned oldState) {
    return (newState & kSelected) && !(oldState & kSelected);
}

}  // namespace rowmap
