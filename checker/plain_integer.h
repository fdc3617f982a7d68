// Whether an integer value is written as a plain number, so that the launcher reads all of it.
#pragma once

#include "app/wstring.h"

// An optional sign and decimal digits, nothing else ("10", "-1"; not "10秒", "0x1" or "yes").
inline bool IsPlainInteger(WStringView value) {
    if (!value.empty() && (value.front() == '+' || value.front() == '-')) value.remove_prefix(1);
    if (value.empty()) return false;
    for (const WChar c : value) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}
