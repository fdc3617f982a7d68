// The package check's cost: the launcher's file hasher against sha256sum on the same 512 MiB
// file, in one run. The file is made in a temporary folder (so it is in the page cache, as a
// package just read from a disc is) and removed afterwards. Each side is timed three times,
// interleaved, and the best time counts.
//
// Natively the launcher's hasher is libcrypto's and sha256sum runs through popen. Under Wine
// the hasher is CNG (Wine's own bcrypt) and sha256sum is the Linux program, started by the
// Windows benchmark through Wine's support for starting Unix programs: /bin/sh runs it and
// renames its output into place, which the benchmark polls for every millisecond. Its time
// includes that start and the poll, a few milliseconds. On Windows itself there is no
// sha256sum, and only the hasher's figure is printed.
#if defined(_WIN32)
#include <windows.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/utf.h"
#include "ops/file_hasher.h"
#include "tests/unit/test_data.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr uint64_t kFileBytes = uint64_t{512} << 20;
constexpr int kRounds = 3;

// Bytes that no compressing layer could shortcut: a xorshift sequence.
bool MakeFile(const fs::path& path) {
    std::ofstream out(path, std::ios::binary);
    std::vector<uint64_t> block((4u << 20) / sizeof(uint64_t));
    uint64_t state = 0x9E3779B97F4A7C15u;
    for (uint64_t written = 0; written < kFileBytes && out; written += block.size() * 8) {
        for (uint64_t& word : block) {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            word = state;
        }
        out.write(reinterpret_cast<const char*>(block.data()),
                  static_cast<std::streamsize>(block.size() * 8));
    }
    return static_cast<bool>(out);
}

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// sha256sum's digest of the file, or nothing when it cannot be run here.
std::optional<std::string> RunSha256sum(const fs::path& file, const fs::path& folder) {
#if defined(_WIN32)
    using UnixName = char*(CDECL*)(const WCHAR*);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (unixName == nullptr) return std::nullopt;  // Windows itself
    const fs::path partial = folder / "sha256sum.part";
    const fs::path output = folder / "sha256sum.txt";
    char* unixFile = unixName(file.wstring().c_str());
    char* unixPartial = unixName(partial.wstring().c_str());
    char* unixOutput = unixName(output.wstring().c_str());
    if (unixFile == nullptr || unixPartial == nullptr || unixOutput == nullptr) return std::nullopt;
    // Wine does not let a Windows process wait for a Unix one: the output appears under its
    // final name when sha256sum is done, and is waited for here.
    std::wstring command = L"Z:\\bin\\sh -c \"sha256sum '" + Utf8ToWide(unixFile) + L"' > '" +
                           Utf8ToWide(unixPartial) + L"' && mv '" + Utf8ToWide(unixPartial) +
                           L"' '" + Utf8ToWide(unixOutput) + L"'\"";
    for (char* name : {unixFile, unixPartial, unixOutput}) HeapFree(GetProcessHeap(), 0, name);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return std::nullopt;
    }
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    const Clock::time_point start = Clock::now();
    while (!fs::exists(output) && Seconds(start) < 120) Sleep(1);
    std::string line;
    std::getline(std::ifstream(output), line);
    fs::remove(output);
#else
    (void)folder;
    FILE* pipe = popen(("sha256sum '" + file.string() + "'").c_str(), "r");
    if (pipe == nullptr) return std::nullopt;
    char buffer[256] = {};
    const bool read = std::fgets(buffer, sizeof buffer, pipe) != nullptr;
    if (pclose(pipe) != 0 || !read) return std::nullopt;
    const std::string line = buffer;
#endif
    if (line.size() < 64) return std::nullopt;
    return line.substr(0, 64);
}

int Run(const fs::path& folder) {
    const fs::path file = folder / "package.bin";
    std::printf("hash_bench: making a %u MiB file in %s\n", static_cast<unsigned>(kFileBytes >> 20),
                folder.string().c_str());
    if (!MakeFile(file)) {
        std::printf("hash_bench: cannot write the file\n");
        return 1;
    }
    IFileHasher& hasher = PlatformFileHasher();
    double best = 1e30;
    double bestSha256sum = 1e30;
    std::optional<Sha256Digest> digest;
    std::optional<std::string> sha256sum;
    for (int round = 0; round < kRounds; ++round) {
        Clock::time_point start = Clock::now();
        digest = hasher.HashFile(PathText(file));
        best = std::min(best, Seconds(start));
        start = Clock::now();
        sha256sum = RunSha256sum(file, folder);
        bestSha256sum = std::min(bestSha256sum, Seconds(start));
        if (!digest) break;
    }
    if (!digest) {
        std::printf("hash_bench: the launcher's hasher could not read the file\n");
        return 1;
    }
    const double mb = static_cast<double>(kFileBytes) / 1e6;
#if defined(_WIN32)
    const char* name = "CNG (BCryptHashData)";
#else
    const char* name = "libcrypto (EVP_sha256)";
#endif
    std::printf("launcher's hasher, %s, %u KiB reads: %.0f MB/s (best of %d: %.3f s)\n", name,
                static_cast<unsigned>(kHashReadBlock >> 10), mb / best, kRounds, best);
    if (!sha256sum) {
        std::printf("sha256sum: cannot be run here\n");
        return 0;
    }
    std::printf("sha256sum: %.0f MB/s (best of %d: %.3f s)\n", mb / bestSha256sum, kRounds,
                bestSha256sum);
    std::printf("ratio, launcher's hasher to sha256sum: %.2f (target natively: at least 0.8)\n",
                bestSha256sum / best);
    const bool agree = WideToUtf8(Sha256Hex(*digest)) == *sha256sum;
    std::printf("digests agree: %s (%s)\n", agree ? "yes" : "NO", sha256sum->c_str());
    return agree ? 0 : 1;
}

}  // namespace

int main() {
    const fs::path folder =
        fs::temp_directory_path() /
        ("bundor-hash-bench-" + std::to_string(Clock::now().time_since_epoch().count()));
    fs::create_directories(folder);
    int status = 1;
    try {
        status = Run(folder);
    } catch (const std::exception& error) {
        std::printf("hash_bench: %s\n", error.what());
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return status;
}
