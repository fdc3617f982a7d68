// The checker's command line: bundor-check [--json] [--exe-dir DIR] CATALOGUE.
#pragma once

#include <vector>

#include "app/wstring.h"

struct CommandLine {
    bool bHelp = false;
    bool bJson = false;
    bool bHasExeDir = false;
    WString strExeDir;
    WString strCatalogue;
};

// Reads the arguments after the program's name. False, with a message in error, when they
// are not a valid command line.
bool ParseCommandLine(const std::vector<WString>& args, CommandLine& line, WString& error);

// The usage text, ending in a line break.
WString UsageText();
