// Fuzz target: any bytes as a catalogue must be checked and reported without a crash or a
// sanitizer finding, with every line number inside the file and a report in both formats.
// The first byte picks which of a few files and CD drives the in-memory file system has, and
// whether the medium is checked in a folder of its own that the launcher will see as E:\.
// fuzz-sources: app/utf.cpp app/profile.cpp app/catalogue_text.cpp app/ansi_posix.cpp
// fuzz-sources: app/catalogue.cpp ops/shell.cpp ops/white_space.cpp ops/package_size.cpp
// fuzz-sources: ops/posix_file_system.cpp ops/posix_process_starter.cpp
// fuzz-sources: checker/catalogue_check.cpp checker/catalogue_walk.cpp
// fuzz-sources: checker/check_report.cpp checker/encoding_checks.cpp checker/file_lines.cpp
// fuzz-sources: checker/finding_text.cpp checker/json_report.cpp checker/json_writer.cpp
// fuzz-sources: checker/exe_folder_file_system.cpp
// fuzz-sources: checker/launcher_view.cpp checker/names.cpp checker/path_checks.cpp
// fuzz-sources: checker/structure_checks.cpp checker/text_report.cpp checker/encoding_hints.cpp
// fuzz-sources: app/run_options.cpp app/catalogue_hashes.cpp app/file_name_case.cpp
// fuzz-sources: app/sha256_digest.cpp ops/package_check.cpp ops/package_check_texts.cpp
// fuzz-sources: ops/file_hasher_posix.cpp ops/run_log.cpp checker/hash_checks.cpp
// fuzz-sources: checker/run_key_checks.cpp checker/run_key_view.cpp
// fuzz-options: -max_len=16384
// fuzz-libs: -lcrypto
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "checker/catalogue_check.h"
#include "checker/json_report.h"
#include "checker/text_report.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

class CFuzzFileSystem final : public IFileSystem {
public:
    explicit CFuzzFileSystem(uint8_t shape) : m_shape(shape) {}
    unsigned DriveType(const WString& root) override {
        if ((m_shape & 1) && root == WSTR("E:\\")) return kDriveCdRom;
        if ((m_shape & 2) && root == WSTR("F:\\")) return kDriveCdRom;
        return kDriveFixed;
    }
    bool Copy(const WString&, const WString&, bool) override { return false; }

protected:
    // A few names exist: anything under E:\soft\ ending in ".exe", and "E:\" itself; or the
    // same under G:\m\, which the launcher sees as E:\ and whose names are two units longer.
    bool FindMatch(const WString& text) override {
        const WString root = (m_shape & 16) ? WSTR("G:\\m\\") : WSTR("E:\\");
        Check(!text.empty() && text.size() < 260 + root.size() - 3);
        if (m_shape & 4) {
            return text.rfind(root + WSTR("soft\\"), 0) == 0 && Ends(text, WSTR(".exe"));
        }
        return text == root;
    }
    bool MeasureFile(const WString& path, uint64_t& size) override {
        size = path.size() * uint64_t{1048576} / 3;
        return (m_shape & 8) != 0 && FindMatch(path);
    }

private:
    static bool Ends(const WString& text, WStringView end) {
        return text.size() >= end.size() &&
               WStringView(text).substr(text.size() - end.size()) == end;
    }
    uint8_t m_shape;
};

int CountLines(const std::string& bytes) {
    int lines = 1;
    for (const char c : bytes) lines += c == '\n' || c == '\r';
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    CFuzzFileSystem files(data[0]);
    CheckInput input;
    input.strCatalogue = WSTR("E:\\Bundor.INI");
    input.strExeFolder = (data[0] & 16) ? WSTR("G:\\m\\") : WSTR("E:\\");
    input.strLauncherFolder = WSTR("E:\\");
    input.bRead = true;
    input.bytes.assign(reinterpret_cast<const char*>(data + 1), size - 1);

    const CheckReport report = CheckCatalogue(input, files);
    const int lines = CountLines(input.bytes);
    int previous = 0;
    for (const Finding& finding : report.findings) {
        Check(finding.nLine >= 0 && finding.nLine <= lines);
        Check(finding.nLine >= previous);  // in line order
        previous = finding.nLine;
        Check(finding.nOtherLine >= 0 && finding.nOtherLine <= lines);
        for (const int line : finding.lines) Check(line >= 1 && line <= lines);
    }
    const int status = ExitStatus(report);
    Check(status >= kExitClean && status <= kExitErrors);
    Check(!FormatTextReport(report).empty());
    const WString json = FormatJsonReport(report);
    Check(json.front() == '{' && json.size() >= 3 && json[json.size() - 2] == '}');
    return 0;
}
