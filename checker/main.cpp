// bundor-check: reads a catalogue as the launcher does and reports what the launcher will
// show and do with it, and the problems in the file; or writes its [Hashes] section.
#if defined(_WIN32)
#include <windows.h>
#endif

#include <string>
#include <vector>

#include "app/file_reader.h"
#include "app/utf.h"
#include "checker/catalogue_check.h"
#include "checker/command_line.h"
#include "checker/console.h"
#include "checker/full_path.h"
#include "checker/hash_write_text.h"
#include "checker/hash_writing.h"
#include "checker/json_report.h"
#include "checker/letter_case.h"
#include "checker/text_report.h"
#include "ops/file_hasher.h"
#include "ops/file_system.h"

namespace {

int Run(const std::vector<WString>& args) {
    CommandLine line;
    WString error;
    if (!ParseCommandLine(args, line, error)) {
        WriteOutput(OutputStream::Error,
                    WSTR("bundor-check：") + error + WSTR("\n\n") + UsageText());
        return kExitUsage;
    }
    if (line.bHelp) {
        WriteOutput(OutputStream::Standard, UsageText());
        return kExitClean;
    }

    const WString exeFolder =
        line.bHasExeDir ? FullFolderPath(line.strExeDir) : FolderOfFile(line.strCatalogue);
    if (line.bWriteHashes) {
        const HashWriteReport report =
            WriteHashes({line.strCatalogue, exeFolder, LauncherFolder(line, exeFolder)},
                        PlatformFileSystem(), PlatformLetterCaseFinder(), PlatformFileHasher());
        WriteOutput(OutputStream::Standard, FormatHashWriteReport(report));
        return HashWriteStatus(report);
    }

    CheckInput input;
    input.strCatalogue = line.strCatalogue;
    input.strExeFolder = exeFolder;
    input.strLauncherFolder = LauncherFolder(line, input.strExeFolder);
    input.bRead = ReadWholeFile(line.strCatalogue, input.bytes);
    const CheckReport report =
        CheckCatalogue(input, PlatformFileSystem(), PlatformLetterCaseFinder());
    WriteOutput(OutputStream::Standard,
                line.bJson ? FormatJsonReport(report) : FormatTextReport(report));
    return ExitStatus(report);
}

}  // namespace

#if defined(_WIN32)
// Run from a medium, the program loads system DLLs from System32 only, never from the
// medium or the current folder. Looked up at run time: Windows 7 without its update lacks it.
void RestrictDllSearch() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const FARPROC proc = kernel ? GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr;
    if (proc != nullptr) {
        reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(proc))(
            LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}

int wmain(int argc, wchar_t** argv) {
    RestrictDllSearch();
    return Run(std::vector<WString>(argv + (argc > 0 ? 1 : 0), argv + argc));
}
#else
int main(int argc, char** argv) {
    std::vector<WString> args;
    for (int i = 1; i < argc; ++i) args.push_back(Utf8ToWide(argv[i]));
    return Run(args);
}
#endif
