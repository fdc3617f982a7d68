// Names that differ only in letter case, where the file system tells them apart and the
// launcher's Windows would not: Windows finds Soft\7Z.EXE for soft\7z.exe.
#pragma once

#include "app/wstring.h"

class ILetterCaseFinder {
public:
    virtual ~ILetterCaseFinder() = default;

    // The name of an existing file or folder that a search for the text (no wildcards) finds
    // when letter case does not count, written like the text; false when there is none.
    virtual bool FindIgnoringCase(const WString& text, WString& found) = 0;
};

// Natively the real file system's finder; null on Windows, whose file systems ignore letter
// case themselves.
ILetterCaseFinder* PlatformLetterCaseFinder();
