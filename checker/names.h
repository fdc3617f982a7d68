// Comparing key and section names as the catalogue reader does, and finding the nearest one.
#pragma once

#include <vector>

#include "app/wstring.h"

// A name as lookups compare it: cut at a NUL, trimmed, A-Z folded to a-z.
WString FoldName(WStringView name);

// "prefix" followed by n in decimal ("Sort3").
WString NumberedName(WStringView prefix, size_t n);

// The number n when the name, letter case aside, is exactly prefix followed by n written as
// the launcher writes it (no sign, no leading zero, n >= 1); 0 otherwise.
size_t NameNumber(WStringView name, WStringView prefix);

// The candidate that the name is most likely a misspelling of, or empty when none is close:
// the same name in other letter case or width (full-width "Ｃｈｅｃｋｅｄ" for Checked) always
// is; otherwise at most one edit (a unit changed, added, dropped, or two swapped) for every
// three units of the name. Ties go to the earlier candidate.
WString NearestName(WStringView name, const std::vector<WString>& candidates);

// True when the name is one a catalogue author writes to mark a comment: the reader keeps
// such lines as keys, but nobody asks for them.
bool IsCommentName(WStringView name);
