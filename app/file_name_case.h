// Letter case in file names, ignored the way Windows' file systems ignore it.
#pragma once

#include "app/wstring.h"

// One unit with its letter case folded (to lower case) for the letters a catalogue is likely
// to hold: ASCII and Latin-1 letters, Greek, Cyrillic and the full-width Latin letters. Every
// other unit stays as it is (Chinese has no letter case); width is not folded.
WChar FoldFileNameUnit(WChar c);

// A name with every unit folded by FoldFileNameUnit: two names that Windows takes for the same
// file fold to the same text.
WString FoldFileNameCase(WStringView name);
