#include "ops/package_size.h"

#include <cstdio>

#include "ops/shell.h"

PackageSize MeasurePackage(const WString& manualInstall, IFileSystem& fileSystem) {
    PackageSize package;
    const CShell shell(manualInstall, WString(), fileSystem);
    package.bFound = shell.m_bFound;
    package.strPath = shell.m_strPath;
    if (package.bFound && fileSystem.FileSize(package.strPath, package.nBytes)) {
        package.bMeasured = 1;
    }
    return package;
}

WString FormatPackageSize(uint64_t bytes) {
    // The largest size, 2^64 - 1 bytes, is "17592186044416.00 MB": 20 characters.
    char text[40];
    const int length =
        std::snprintf(text, sizeof text, "%.2f MB", static_cast<double>(bytes) * (1.0 / 1048576.0));
    WString out;
    for (int i = 0; i < length && i < static_cast<int>(sizeof text) - 1; ++i) {
        out.push_back(static_cast<WChar>(text[i]));
    }
    return out;
}
