// bundor-check --write-hashes: lists the SHA-256 of every file the catalogue's commands
// resolve to on the medium in its [Hashes] section, replacing the section or appending it.
#pragma once

#include <string>
#include <vector>

#include "app/wstring.h"
#include "checker/hashes_section_edit.h"
#include "checker/letter_case.h"
#include "ops/file_hasher.h"
#include "ops/file_system.h"

struct HashWriteInput {
    WString strCatalogue;       // the path, as given
    WString strExeFolder;       // the folder with the medium's files, ending in '\'
    WString strLauncherFolder;  // what "%CurrDir%" stands for; empty: the exe folder itself
};

// A command whose file is not listed.
struct LeftOutCommand {
    enum class Why {
        NotFound,     // the command's file is not found
        NotOnMedium,  // found on another drive: not in the exe folder nor on a CD/DVD drive
        BadName,      // its path cannot be a key ('=' in it, a leading '[', blanks at an end)
    };
    Why why = Why::NotFound;
    int nLine = 0;  // the command's line in the file
    WString strSection;
    WString strKey;   // AutoInstall or ManualInstall
    WString strText;  // the command (not found) or the file found
};

struct HashWriteReport {
    enum class Result {
        Written,
        CatalogueUnreadable,  // the catalogue cannot be read (strDetail: the path)
        FileUnreadable,       // a file to list cannot be read (strDetail: the file)
        NotWritable,  // the new section cannot be written in the file's encoding, or reading
                      // the result back does not give the catalogue and the hashes (strDetail)
        WriteFailed,  // the catalogue cannot be replaced; it is unchanged (strDetail)
    };
    Result result = Result::Written;
    WString strCatalogue;
    WString strExeFolder;                 // what "%CurrDir%" stood for
    WString strCheckedFolder;             // where the files were hashed
    bool bReplaced = false;               // an existing section was replaced; else one was appended
    int nLine = 0;                        // the section's header line in the new file
    std::vector<HashSectionLine> listed;  // in the order of the commands
    std::vector<WString> listedFiles;     // the file of each, as the launcher names it
    std::vector<LeftOutCommand> leftOut;
    WString strDetail;
};

// The new catalogue bytes for the old ones, hashing the files; does not write anything.
// newBytes is set only when the result is Written.
HashWriteReport PrepareHashSection(const HashWriteInput& input, const std::string& bytes,
                                   IFileSystem& fileSystem, ILetterCaseFinder* letterCase,
                                   IFileHasher& hasher, std::string& newBytes);

// Reads the catalogue, prepares the section and replaces the file.
HashWriteReport WriteHashes(const HashWriteInput& input, IFileSystem& fileSystem,
                            ILetterCaseFinder* letterCase, IFileHasher& hasher);

// 0 written, every found command's file listed; 1 written, some commands left out; 2 nothing
// written; 3 the catalogue cannot be read.
int HashWriteStatus(const HashWriteReport& report);
