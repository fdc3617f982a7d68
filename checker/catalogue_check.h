// Checks one catalogue file: reads it as the launcher does, tells what the launcher will show
// and do with it, and lists the problems found.
#pragma once

#include <string>

#include "app/wstring.h"
#include "checker/check_report.h"
#include "checker/letter_case.h"
#include "ops/file_hasher.h"
#include "ops/file_system.h"

struct CheckInput {
    WString strCatalogue;  // the path, as given; shown in the report
    WString strExeFolder;  // the folder with the medium's files, where Bundor.exe is; ending in '\'
    // The launcher's folder as it will see it, which "%CurrDir%" stands for: a drive root
    // such as E:\ when the medium is a disc; empty for the exe folder itself.
    WString strLauncherFolder;
    bool bRead = false;  // the file could be read
    std::string bytes;   // its bytes
};

// Texts in the launcher's folder, and relative ones, are looked for in the exe folder, as
// the launcher started from its own folder finds them; everything else goes to the given
// file system as it is. A name found only by the letter-case finder (if any) is found, with
// a warning. Files listed in [Hashes] are hashed with the hasher (null: the platform's).
CheckReport CheckCatalogue(const CheckInput& input, IFileSystem& fileSystem,
                           ILetterCaseFinder* letterCase = nullptr, IFileHasher* hasher = nullptr);
