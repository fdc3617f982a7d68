// The SHA-256 of a whole file, through the platform's maintained implementation.
#pragma once

#include <cstddef>
#include <optional>

#include "app/sha256_digest.h"
#include "app/wstring.h"

// Files are read in blocks this large, so that a check costs little more than one read of
// the file.
inline constexpr size_t kHashReadBlock = size_t{1} << 20;

class IFileHasher {
public:
    virtual ~IFileHasher() = default;

    // The digest of the file's whole content; nothing when it cannot be opened or read to its
    // end (missing, a folder, locked, a read error). Safe to call from several threads.
    virtual std::optional<Sha256Digest> HashFile(const WString& path) = 0;
};

// On Windows: CreateFileW for reading (others may read too, nobody may write meanwhile) and
// CNG's SHA-256 provider (BCryptHashData). Elsewhere (the checker on Linux): '\' is read as
// '/' and OpenSSL's libcrypto hashes (EVP_sha256).
IFileHasher& PlatformFileHasher();
