// The catalogue's [Hashes] section: the SHA-256 of the medium's files, keyed by their paths.
#pragma once

#include <optional>
#include <unordered_map>
#include <vector>

#include "app/profile.h"
#include "app/sha256_digest.h"
#include "app/wstring.h"

inline constexpr const WChar* kHashesSection = WSTR("Hashes");
// [Config] RequireHashes: a number other than 0 refuses every file that is not listed.
inline constexpr const WChar* kRequireHashesKey = WSTR("RequireHashes");

// A path split into its names: '\' and '/' both separate; empty names and "." go; ".." takes
// the name before it away (never a drive, "E:"), and stays when there is none. Views into
// the path.
std::vector<WStringView> PathNames(WStringView path);

// The names joined with '\'.
WString JoinPathNames(const std::vector<WStringView>& names);

// How a [Hashes] key and a path looked up are compared: the names of PathNames joined with
// '\' and their letter case folded as Windows' file systems fold it (FoldFileNameCase), so
// "Soft/7Z Setup.EXE" and "soft\.\7z setup.exe" are one key.
WString HashPathKey(WStringView relativePath);

// One "path=digest" line of the section.
struct HashListing {
    WString strName;     // the key as written
    WString strPathKey;  // HashPathKey of it; empty when it names no file ("\", ".")
    WString strValue;    // the value as the reader reads it
    std::optional<Sha256Digest> digest;  // nothing when the value is not 64 hex digits
    int nLine = 0;                       // the reader's line
    // The first listing of its file; a later one is ignored, as a later duplicate key is.
    bool bCounts = true;
};

class CCatalogueHashes {
public:
    // No section: nothing listed.
    CCatalogueHashes() = default;
    // The first section named Hashes, as the reader finds sections; its lines without '='
    // list nothing.
    explicit CCatalogueHashes(const CProfile& profile);

    bool HasSection() const { return m_bSection; }
    // Every listing in file order, ignored ones included.
    const std::vector<HashListing>& Listings() const { return m_listings; }
    // The listing that counts for a path relative to the executable's folder (or to the root
    // of the CD/DVD drive holding the file); null when the path is not listed.
    const HashListing* Find(WStringView relativePath) const;

private:
    bool m_bSection = false;
    std::vector<HashListing> m_listings;
    std::unordered_map<WString, size_t> m_byKey;  // path key -> the listing that counts
};
