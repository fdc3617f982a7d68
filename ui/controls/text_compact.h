// Shortening a text to a pixel width with a trailing "...", measured by the caller's font.
#pragma once

#include <functional>

#include "app/wstring.h"

namespace listgeo {

// Pixel width of a text in the font it is drawn in (the Windows code wraps GetTextExtentPoint32W
// on a device context with that font selected; tests pass a fixed-width fake).
using TextMeasure = std::function<int(WStringView)>;

// The ellipsis appended to a shortened text.
inline constexpr WStringView kEllipsis = WSTR("...");

// The text as it fits into width pixels: unchanged when it fits (or is empty); otherwise the
// longest leading part that leaves room for "..." followed by "..."; the empty string when not
// even "..." fits. A surrogate pair is never split. measure must be the drawing font's.
WString CompactText(WStringView text, int width, const TextMeasure& measure);

}  // namespace listgeo
