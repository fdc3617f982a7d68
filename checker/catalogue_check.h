// Checks one catalogue file: reads it as the launcher does, tells what the launcher will show
// and do with it, and lists the problems found.
#pragma once

#include <string>

#include "app/wstring.h"
#include "checker/check_report.h"
#include "ops/file_system.h"

struct CheckInput {
    WString strCatalogue;  // the path, as given; shown in the report
    WString strExeFolder;  // what "%CurrDir%" stands for, ending in '\'
    bool bRead = false;    // the file could be read
    std::string bytes;     // its bytes
};

// Relative texts are looked for in the exe folder, as the launcher started from its own
// folder finds them; everything else goes to the given file system as it is.
CheckReport CheckCatalogue(const CheckInput& input, IFileSystem& fileSystem);
