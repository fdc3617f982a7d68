// The checker's command line:
// bundor-check [--json | --write-hashes] [--exe-dir DIR] [--as-drive X:] CATALOGUE.
#pragma once

#include <vector>

#include "app/wstring.h"

struct CommandLine {
    bool bHelp = false;
    bool bJson = false;
    bool bWriteHashes = false;  // write the [Hashes] section instead of checking
    bool bHasExeDir = false;
    WString strExeDir;
    WString strAsDrive;  // "X:\" when given
    WString strCatalogue;
};

// The launcher's folder when nothing else is said: the root of a CD drive.
inline constexpr const WChar* kDefaultLauncherFolder = WSTR("E:\\");

// Reads the arguments after the program's name. False, with a message in error, when they
// are not a valid command line.
bool ParseCommandLine(const std::vector<WString>& args, CommandLine& line, WString& error);

// The launcher's folder as it will see it, for an exe folder: the --as-drive root; else the
// exe folder itself when it is a drive root (E:\\ on Windows, the disc checked in its drive);
// else kDefaultLauncherFolder.
WString LauncherFolder(const CommandLine& line, const WString& exeFolder);

// The usage text, ending in a line break.
WString UsageText();
