// The rows of the main window's entry lists: how a row of the all-entries list and a row of a
// category's own list name the same entry, and which list-view state changes count as a tick
// or as a newly selected row.
#pragma once

#include <span>

namespace rowmap {

// counts[k - 1] is the row count of entry list k (category k - 1's own list). The all-entries
// list holds, per category in order, one header row followed by that many entry rows.

// The entry list k (1 ... n) that shows row `row` of the all-entries list, with `row` changed
// to the row there; a category's header row gives that category's list and the row -1. A row
// outside the all-entries list gives 0 and leaves `row` alone.
int AllIndexToCategory(std::span<const int> counts, int& row);

// The row of the all-entries list that shows row `row` of entry list k (k >= 1); -1 when k
// names no list.
int CategoryIndexToAll(std::span<const int> counts, int k, int row);

// List-view item states as LVN_ITEMCHANGED reports them: the whole state, whose bits 0xF000
// are the state image (1 unticked, 2 ticked) and whose low bits are selection and focus.
inline constexpr unsigned kStateImageMask = 0xF000;
inline constexpr unsigned kUnticked = 0x1000;
inline constexpr unsigned kTicked = 0x2000;
inline constexpr unsigned kSelected = 0x0001;

// A tick that was set or cleared: the state image went from unticked to ticked or back,
// whatever the selection and focus bits do at the same time (a tick on the selected row
// arrives as 0x2003 / 0x1003).
bool IsTickChange(unsigned newState, unsigned oldState);

// A row that has just become selected, whatever its focus and tick bits.
bool IsNewlySelected(unsigned newState, unsigned oldState);

}  // namespace rowmap
