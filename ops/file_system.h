// The file services that command resolution needs: existence test, drive type and copy; and
// the size of a package file as the main window measures it.
#pragma once

#include <cstdint>

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

    // The full path of a text that a search just found relative to the current folder, so
    // that the file stays found when the current folder changes. The text as it is where there
    // is no current folder to speak of, and when the full path would not fit 260 units.
    virtual WString FullPath(const WString& text) { return text; }

    // The drive type of a root such as "E:\".
    virtual unsigned DriveType(const WString& root) = 0;

    // Copies a file; with failIfExists an existing destination makes the copy fail,
    // otherwise it is overwritten. True on success.
    virtual bool Copy(const WString& from, const WString& to, bool failIfExists) = 0;

    // The 64-bit size of one file, opened without access rights and without sharing and
    // closed again; the size counts only when the close succeeds too. Asking for no access
    // means that other programs' handles do not stand in the way, whatever they share. False,
    // with size 0, for a folder, a file that cannot be opened, and texts that cannot name one
    // file: those IsSearchable refuses, and wildcards.
    bool FileSize(const WString& path, uint64_t& size) {
        size = 0;
        return IsSearchable(path) && FileSizeAtAnyLength(path, size);
    }

    // Exists and FileSize without the 260-unit limit, for a tool that counts the limit on
    // another, shorter name of the same place: the catalogue checker counts it on the name
    // the launcher will use (E:\soft\a.exe) and looks at the medium where it is mounted
    // (/media/user/disc/soft/a.exe). The launcher never calls these.
    bool ExistsAtAnyLength(const WString& text) { return CanName(text) && FindMatch(text); }
    bool FileSizeAtAnyLength(const WString& path, uint64_t& size) {
        size = 0;
        if (!CanName(path) || path.find_first_of(WSTR("*?")) != WString::npos) return false;
        uint64_t measured = 0;
        if (!MeasureFile(path, measured)) return false;
        size = measured;
        return true;
    }

protected:
    // The search itself; only called with texts that IsSearchable accepts, or through
    // ExistsAtAnyLength with longer ones.
    virtual bool FindMatch(const WString& text) = 0;
    // The measurement itself; only called with texts that FileSize or FileSizeAtAnyLength
    // accepts.
    virtual bool MeasureFile(const WString& path, uint64_t& size) = 0;

private:
    static bool CanName(WStringView text) {
        return !text.empty() && text.find(WChar{0}) == WStringView::npos;
    }
};

// The file system of the platform the program runs on.
// On Windows: FindFirstFileW, GetDriveTypeW, CopyFileW, and CreateFileW (no access, no
// sharing, OPEN_EXISTING) with GetFileSizeEx and CloseHandle for the size; for an ordinary
// name (no wildcard, a last component that is neither a device nor a trailing separator) an
// attribute query answers first, with the same result at a fraction of the cost under Wine.
// Elsewhere (the catalogue checker on Linux): backslashes are read as slashes, so relative
// texts are looked for from the current directory; '*' and '?' match within the last
// component only (the DOS quirks of "*.*" and of 8.3 short names are not copied); letter
// case counts, as it does on Linux; drive letters mean nothing, so no drive is a CD-ROM
// drive (every root reports kDriveNoRootDir) and "cdrom:\" commands are looked for
// relative to the current directory; the size of a regular file is what stat() gives.
IFileSystem& PlatformFileSystem();
