// CPackageCheck: whether the launcher may start or copy a package file, by the catalogue's
// [Hashes] section and [Config] RequireHashes.
#pragma once

#include "app/catalogue_hashes.h"
#include "app/profile.h"
#include "app/wstring.h"
#include "ops/file_hasher.h"
#include "ops/file_system.h"

enum class PackageCheckOutcome {
    Verified,          // listed, and the file's SHA-256 is the one listed: use it
    HashDiffers,       // listed, and the file is not what was listed (or the listed value is
                       // not 64 hex digits): refuse it
    Unreadable,        // listed, but the file cannot be read to be hashed: refuse it
    NotListed,         // not listed and RequireHashes is off: use it as before, unhashed
    NotListedRefused,  // not listed and RequireHashes is on: refuse it
};

// True for the outcomes whose file must not be started or copied.
bool IsRefused(PackageCheckOutcome outcome);

// For a command whose file CShell found: whether it was found on a CD/DVD drive through
// "cdrom:\" (the command has the marker and the PC has such a drive, so CShell looked on those
// drives only). The bOnCdromDrive of the calls below.
bool FoundOnCdromDrive(const WString& command, IFileSystem& fileSystem);

// A catalogue without [Hashes] and without RequireHashes allows every file without hashing
// it, exactly as before. The object is only read after construction, so one check may serve
// the user-interface thread and a run's thread at once.
class CPackageCheck {
public:
    // Allows every file: no section, nothing required.
    CPackageCheck();
    // The catalogue's [Hashes] and [Config] RequireHashes (read as an integer, as the other
    // [Config] numbers are: non-zero is on). exeFolder ends in '\'.
    CPackageCheck(const CProfile& profile, WString exeFolder,
                  IFileHasher& hasher = PlatformFileHasher());
    CPackageCheck(CCatalogueHashes hashes, bool bRequireHashes, WString exeFolder,
                  IFileHasher& hasher = PlatformFileHasher());

    // Whether files are looked up at all: a [Hashes] section, or RequireHashes on.
    bool IsActive() const { return m_hashes.HasSection() || m_bRequireHashes; }
    bool RequiresHashes() const { return m_bRequireHashes; }
    const CCatalogueHashes& Hashes() const { return m_hashes; }

    // The key a resolved file is listed under, in the path's own spelling (names separated
    // by '\', "." and ".." taken out); empty when the file is not on the medium and cannot be
    // listed.
    // - bOnCdromDrive: the file was found on a CD/DVD drive through "cdrom:\" and the path is
    //   "X:\rest": the key is rest, relative to that drive's root. (A "cdrom:\" command on a PC
    //   without such a drive is looked for in the current folder: pass false then.)
    // - otherwise a path in the executable's folder: the key is relative to that folder
    //   (letter case of the folder ignored, as Windows ignores it);
    // - a relative path (the checker's, never the launcher's after resolution) is its own key.
    WString ListKeyOf(const WString& path, bool bOnCdromDrive) const;

    // The listing that counts for a resolved file, or null.
    const HashListing* FindListing(const WString& path, bool bOnCdromDrive) const;

    // What to do with a resolved file; hashes it only when it is listed.
    PackageCheckOutcome Check(const WString& path, bool bOnCdromDrive) const;

private:
    CCatalogueHashes m_hashes;
    bool m_bRequireHashes = false;
    WString m_strExeFolder;
    IFileHasher* m_pHasher;
};
