// The file services that command resolution needs: existence test, drive type and copy.
#pragma once

#include "app/wstring.h"

// Drive types as the platform numbers them (the values GetDriveTypeW returns).
enum DriveType : unsigned {
    kDriveUnknown = 0,
    kDriveNoRootDir = 1,
    kDriveRemovable = 2,
    kDriveFixed = 3,
    kDriveRemote = 4,
    kDriveCdRom = 5,
    kDriveRamDisk = 6,
};

// The names avoid GetDriveType and CopyFile: <windows.h> defines both as macros, which
// would rename the members in some translation units and not in others.
class IFileSystem {
public:
    // Texts that a first-file search cannot take whole never exist: the empty text, texts of
    // 260 units or more (the platform's path buffer) and texts with a NUL in them (the search
    // would stop at the NUL and look for another name).
    static bool IsSearchable(WStringView text) {
        return !text.empty() && text.size() < 260 && text.find(WChar{0}) == WStringView::npos;
    }

    virtual ~IFileSystem() = default;

    // True when a first-file search for the text finds a match: folders count as well as
    // files, and '*' and '?' in the last component act as wildcards.
    bool Exists(const WString& text) { return IsSearchable(text) && FindMatch(text); }

    // The drive type of a root such as "E:\".
    virtual unsigned DriveType(const WString& root) = 0;

    // Copies a file; with failIfExists an existing destination makes the copy fail,
    // otherwise it is overwritten. True on success.
    virtual bool Copy(const WString& from, const WString& to, bool failIfExists) = 0;

protected:
    // The search itself; only called with texts that IsSearchable accepts.
    virtual bool FindMatch(const WString& text) = 0;
};

// The file system of the platform the program runs on.
// On Windows: FindFirstFileW, GetDriveTypeW and CopyFileW.
// Elsewhere (the catalogue checker on Linux): backslashes are read as slashes, so relative
// texts are looked for from the current directory; '*' and '?' match within the last
// component only (the DOS quirks of "*.*" and of 8.3 short names are not copied); letter
// case counts, as it does on Linux; drive letters mean nothing, so no drive is a CD-ROM
// drive (every root reports kDriveNoRootDir) and "cdrom:\" commands are looked for
// relative to the current directory.
IFileSystem& PlatformFileSystem();
