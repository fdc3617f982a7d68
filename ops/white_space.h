// The white space that is trimmed from around a command text.
#pragma once

#include "app/wstring.h"

// True for the units that the Windows C library's iswspace reports as white space: tab, line
// feed, vertical tab, form feed, carriage return, blank, no-break space, U+1680, U+2000 to
// U+200A, U+2028, U+2029, U+202F, U+205F and the ideographic space U+3000. The set is fixed
// here rather than asked of the C library, because glibc's answer depends on the locale and
// would make the native build trim differently from the product.
bool IsWideSpace(WChar unit);

// The text without the white space at its start and at its end.
WString TrimWideSpace(WStringView text);
