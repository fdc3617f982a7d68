// Replacing a file natively: a temporary file in the same folder, fsync, rename.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "app/utf.h"
#include "checker/file_replace.h"

namespace {

WString Reason(const char* step, int err) {
    return Utf8ToWide(std::string(step) + ": " + std::strerror(err));
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t wrote = write(fd, bytes.data(), bytes.size());
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(wrote));
    }
    return true;
}

}  // namespace

bool ReplaceFileContent(const WString& path, std::string_view bytes, WString& error) {
    std::string name = WideToUtf8(path);
    for (char& c : name) {
        if (c == '\\') c = '/';
    }
    struct stat old;
    if (stat(name.c_str(), &old) != 0) {
        error = Reason("stat", errno);
        return false;
    }
    const std::string temporary = name + ".bundor-" + std::to_string(getpid()) + ".tmp";
    const int fd =
        open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, old.st_mode & 07777);
    if (fd < 0) {
        error = Reason("open", errno);
        return false;
    }
    const char* step = nullptr;
    int code = 0;
    const auto fail = [&step, &code](const char* what) {
        if (step != nullptr) return;
        step = what;
        code = errno;
    };
    if (fchmod(fd, old.st_mode & 07777) != 0) fail("fchmod");  // the mode, past the umask
    if (step == nullptr && !WriteAll(fd, bytes)) fail("write");
    if (step == nullptr && fsync(fd) != 0) fail("fsync");
    if (close(fd) != 0) fail("close");
    if (step == nullptr && rename(temporary.c_str(), name.c_str()) != 0) fail("rename");
    if (step != nullptr) {
        error = Reason(step, code);
        unlink(temporary.c_str());
        return false;
    }
    return true;
}
