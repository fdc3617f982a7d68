// A file hasher for tests: the digest of each path is given by the test (known vectors), a
// path without one cannot be read; every path hashed is recorded.
#pragma once

#include <map>
#include <vector>

#include "app/sha256_digest.h"
#include "ops/file_hasher.h"

// SHA-256 of "abc" and of the empty text (FIPS 180-2; sha256sum agrees).
inline const WChar* const kAbcSha256 =
    WSTR("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
inline const WChar* const kEmptySha256 =
    WSTR("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");

class MemoryFileHasher final : public IFileHasher {
public:
    void Add(const WString& path, const WString& hex) {
        Sha256Digest digest{};
        ParseSha256Hex(hex, digest);
        m_digests[path] = digest;
    }

    std::optional<Sha256Digest> HashFile(const WString& path) override {
        hashed.push_back(path);
        const auto it = m_digests.find(path);
        if (it == m_digests.end()) return std::nullopt;
        return it->second;
    }

    std::vector<WString> hashed;

private:
    std::map<WString, Sha256Digest> m_digests;
};
