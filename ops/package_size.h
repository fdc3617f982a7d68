// The size of an entry's installation package, as the main window shows it beside the entry.
#pragma once

#include <cstdint>

#include "app/wstring.h"
#include "ops/file_system.h"

struct PackageSize {
    int bFound = 0;       // the command resolved to an existing file or folder
    int bMeasured = 0;    // and that file could be opened, measured and closed
    WString strPath;      // the resolved file; the trimmed command when not found
    uint64_t nBytes = 0;  // 0 unless measured
};

// Resolves an entry's ManualInstall command (whose file is the package) as CShell does and
// measures the file found with IFileSystem::FileSize.
PackageSize MeasurePackage(const WString& manualInstall,
                           IFileSystem& fileSystem = PlatformFileSystem());

// The size text of the entry rows: "%.2f MB" of bytes / 1048576, so 0 bytes give "0.00 MB".
WString FormatPackageSize(uint64_t bytes);
