// The file hasher on Windows: ReadFile and CNG's SHA-256 provider.
#include <windows.h>
#include <bcrypt.h>

#include <memory>
#include <string>

#include "ops/file_hasher.h"

namespace {

// CNG is loaded when the first file is hashed, not at start: a catalogue without hashes
// never maps it. It is loaded by its full path in the system folder, so that a bcrypt.dll
// lying on the medium beside the launcher is never the one taken.
struct Cng {
    decltype(&BCryptOpenAlgorithmProvider) openAlgorithmProvider = nullptr;
    decltype(&BCryptCloseAlgorithmProvider) closeAlgorithmProvider = nullptr;
    decltype(&BCryptCreateHash) createHash = nullptr;
    decltype(&BCryptHashData) hashData = nullptr;
    decltype(&BCryptFinishHash) finishHash = nullptr;
    decltype(&BCryptDestroyHash) destroyHash = nullptr;
};

template <typename Function>
bool Resolve(HMODULE module, const char* name, Function& function) {
    // Through the generic function pointer type, which casts to any other without a warning.
    function = reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    return function != nullptr;
}

Cng LoadCng() {
    Cng cng;
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return cng;
    const std::wstring path = std::wstring(folder, length) + L"\\bcrypt.dll";
    // Kept for the rest of the process: the functions are used until it ends.
    const HMODULE module = LoadLibraryW(path.c_str());
    if (!module) return cng;
    Cng loaded;
    if (Resolve(module, "BCryptOpenAlgorithmProvider", loaded.openAlgorithmProvider) &&
        Resolve(module, "BCryptCloseAlgorithmProvider", loaded.closeAlgorithmProvider) &&
        Resolve(module, "BCryptCreateHash", loaded.createHash) &&
        Resolve(module, "BCryptHashData", loaded.hashData) &&
        Resolve(module, "BCryptFinishHash", loaded.finishHash) &&
        Resolve(module, "BCryptDestroyHash", loaded.destroyHash)) {
        cng = loaded;
    }
    return cng;
}

// Null when CNG cannot be loaded; then every file is unreadable, as when hashing fails.
const Cng* TheCng() {
    static const Cng cng = LoadCng();
    return cng.openAlgorithmProvider ? &cng : nullptr;
}

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

struct ProviderCloser {
    const Cng* cng;
    void operator()(BCRYPT_ALG_HANDLE provider) const { cng->closeAlgorithmProvider(provider, 0); }
};
using Provider = std::unique_ptr<void, ProviderCloser>;

struct HashDestroyer {
    const Cng* cng;
    void operator()(BCRYPT_HASH_HANDLE hash) const { cng->destroyHash(hash); }
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

        const Cng* cng = TheCng();
        if (!cng) return std::nullopt;
        BCRYPT_ALG_HANDLE openedProvider = nullptr;
        if (!BCRYPT_SUCCESS(cng->openAlgorithmProvider(&openedProvider, BCRYPT_SHA256_ALGORITHM,
                                                        nullptr, 0))) {
            return std::nullopt;
        }
        const Provider provider(openedProvider, ProviderCloser{cng});
        BCRYPT_HASH_HANDLE createdHash = nullptr;
        if (!BCRYPT_SUCCESS(
                cng->createHash(openedProvider, &createdHash, nullptr, 0, nullptr, 0, 0))) {
            return std::nullopt;
        }
        const Hash hash(createdHash, HashDestroyer{cng});

        const std::unique_ptr<unsigned char[]> block(new unsigned char[kHashReadBlock]);
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(opened, block.get(), static_cast<DWORD>(kHashReadBlock), &got, nullptr)) {
                return std::nullopt;
            }
            if (got == 0) break;
            if (!BCRYPT_SUCCESS(cng->hashData(createdHash, block.get(), got, 0))) {
                return std::nullopt;
            }
        }
        Sha256Digest digest;
        if (!BCRYPT_SUCCESS(cng->finishHash(createdHash, digest.data(),
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
