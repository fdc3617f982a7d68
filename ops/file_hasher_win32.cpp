// The file hasher on Windows: ReadFile and CNG's SHA-256 provider.
#include <windows.h>
#include <bcrypt.h>

#include <memory>

#include "ops/file_hasher.h"

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

struct ProviderCloser {
    void operator()(BCRYPT_ALG_HANDLE provider) const { BCryptCloseAlgorithmProvider(provider, 0); }
};
using Provider = std::unique_ptr<void, ProviderCloser>;

struct HashDestroyer {
    void operator()(BCRYPT_HASH_HANDLE hash) const { BCryptDestroyHash(hash); }
};
using Hash = std::unique_ptr<void, HashDestroyer>;

class CWin32FileHasher final : public IFileHasher {
public:
    std::optional<Sha256Digest> HashFile(const WString& path) override {
        if (path.find(L'\0') != WString::npos) return std::nullopt;
        // Others may read the file while it is hashed, but not change it. A folder does not
        // open without FILE_FLAG_BACKUP_SEMANTICS, so it is unreadable here.
        const HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (opened == INVALID_HANDLE_VALUE) return std::nullopt;
        const FileHandle file(opened);

        BCRYPT_ALG_HANDLE openedProvider = nullptr;
        if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&openedProvider, BCRYPT_SHA256_ALGORITHM,
                                                        nullptr, 0))) {
            return std::nullopt;
        }
        const Provider provider(openedProvider);
        BCRYPT_HASH_HANDLE createdHash = nullptr;
        if (!BCRYPT_SUCCESS(
                BCryptCreateHash(openedProvider, &createdHash, nullptr, 0, nullptr, 0, 0))) {
            return std::nullopt;
        }
        const Hash hash(createdHash);

        const std::unique_ptr<unsigned char[]> block(new unsigned char[kHashReadBlock]);
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(opened, block.get(), static_cast<DWORD>(kHashReadBlock), &got, nullptr)) {
                return std::nullopt;
            }
            if (got == 0) break;
            if (!BCRYPT_SUCCESS(BCryptHashData(createdHash, block.get(), got, 0))) {
                return std::nullopt;
            }
        }
        Sha256Digest digest;
        if (!BCRYPT_SUCCESS(BCryptFinishHash(createdHash, digest.data(),
                                             static_cast<ULONG>(digest.size()), 0))) {
            return std::nullopt;
        }
        return digest;
    }
};

}  // namespace

IFileHasher& PlatformFileHasher() {
    static CWin32FileHasher hasher;
    return hasher;
}
