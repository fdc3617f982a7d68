// The file hasher natively: POSIX reads and OpenSSL's libcrypto.
#include <fcntl.h>
#include <openssl/evp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string>

#include "app/utf.h"
#include "ops/file_hasher.h"

namespace {

class CFileDescriptor {
public:
    explicit CFileDescriptor(int fd) : m_fd(fd) {}
    ~CFileDescriptor() {
        if (m_fd >= 0) close(m_fd);
    }
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

using DigestContext = std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)>;

class CPosixFileHasher final : public IFileHasher {
public:
    std::optional<Sha256Digest> HashFile(const WString& path) override {
        std::string name = WideToUtf8(path);
        for (char& c : name) {
            if (c == '\\') c = '/';
        }
        if (name.find('\0') != std::string::npos) return std::nullopt;
        const CFileDescriptor file(open(name.c_str(), O_RDONLY | O_CLOEXEC));
        struct stat info;
        if (file.Get() < 0 || fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
            return std::nullopt;
        }
        posix_fadvise(file.Get(), 0, 0, POSIX_FADV_SEQUENTIAL);

        const DigestContext context(EVP_MD_CTX_new(), EVP_MD_CTX_free);
        if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1) {
            return std::nullopt;
        }
        const std::unique_ptr<unsigned char[]> block(new unsigned char[kHashReadBlock]);
        for (;;) {
            const ssize_t got = read(file.Get(), block.get(), kHashReadBlock);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) return std::nullopt;
            if (got == 0) break;
            if (EVP_DigestUpdate(context.get(), block.get(), static_cast<size_t>(got)) != 1) {
                return std::nullopt;
            }
        }
        Sha256Digest digest;
        unsigned int size = 0;
        if (EVP_DigestFinal_ex(context.get(), digest.data(), &size) != 1 || size != digest.size()) {
            return std::nullopt;
        }
        return digest;
    }
};

}  // namespace

IFileHasher& PlatformFileHasher() {
    static CPosixFileHasher hasher;
    return hasher;
}
