// The package size of an entry row: resolution, measurement and the "%.2f MB" text.
#include <gtest/gtest.h>

#include <cstdint>

#include "ops/package_size.h"
#include "tests/unit/memory_file_system.h"

namespace {

TEST(FormatPackageSize, GivesTwoDecimalsOfMebibytes) {
    EXPECT_EQ(FormatPackageSize(0), WSTR("0.00 MB"));
    EXPECT_EQ(FormatPackageSize(1048576), WSTR("1.00 MB"));
    EXPECT_EQ(FormatPackageSize(1572864), WSTR("1.50 MB"));
    EXPECT_EQ(FormatPackageSize(10486), WSTR("0.01 MB"));  // 0.0100002
    EXPECT_EQ(FormatPackageSize(5242), WSTR("0.00 MB"));   // 0.0049992
    EXPECT_EQ(FormatPackageSize(1048575), WSTR("1.00 MB"));
    // Sizes beyond 4 GiB keep their high part.
    EXPECT_EQ(FormatPackageSize(uint64_t{5} << 30), WSTR("5120.00 MB"));
    EXPECT_EQ(FormatPackageSize((uint64_t{4} << 30) + (uint64_t{3} << 19)), WSTR("4097.50 MB"));
    EXPECT_EQ(FormatPackageSize(UINT64_MAX), WSTR("17592186044416.00 MB"));
}

// Exact halves of a hundredth are rounded to even, as the C library's "%.2f" does; the native
// and the Windows builds must agree, since the checker on Linux shows what the window shows.
TEST(FormatPackageSize, RoundsExactHalvesLikeTheCLibrary) {
    EXPECT_EQ(FormatPackageSize(131072), WSTR("0.12 MB"));   // 0.125
    EXPECT_EQ(FormatPackageSize(393216), WSTR("0.38 MB"));   // 0.375
    EXPECT_EQ(FormatPackageSize(1179648), WSTR("1.12 MB"));  // 1.125
}

TEST(MeasurePackage, MeasuresTheFileThatTheCommandResolvesTo) {
    MemoryFileSystem fs;
    fs.AddFile(WSTR("E:\\soft\\zip setup.exe"), 3 * 1048576 / 2);
    const PackageSize package = MeasurePackage(WSTR("  E:\\soft\\zip setup.exe /S  "), fs);
    EXPECT_EQ(package.bFound, 1);
    EXPECT_EQ(package.bMeasured, 1);
    EXPECT_EQ(package.strPath, WSTR("E:\\soft\\zip setup.exe"));
    EXPECT_EQ(package.nBytes, 1572864u);
    EXPECT_EQ(fs.measured, std::vector<WString>{WSTR("E:\\soft\\zip setup.exe")});
}

TEST(MeasurePackage, FindsCdromCommandsOnTheFirstCdDriveThatHasThem) {
    MemoryFileSystem fs;
    fs.AddCdrom(WSTR("E:\\"));
    fs.AddCdrom(WSTR("F:\\"));
    fs.AddFile(WSTR("F:\\soft\\a.exe"), 2048);
    fs.AddFile(WSTR("C:\\soft\\a.exe"), 1);  // a fixed disk is never searched
    const PackageSize package = MeasurePackage(WSTR("G:\\medium\\cdrom:\\soft\\a.exe"), fs);
    EXPECT_EQ(package.strPath, WSTR("F:\\soft\\a.exe"));
    EXPECT_EQ(package.nBytes, 2048u);
}

TEST(MeasurePackage, IsZeroWhenTheFileIsMissingOrCannotBeOpened) {
    MemoryFileSystem fs;
    fs.AddFolder(WSTR("D:\\soft"));
    fs.AddLockedFile(WSTR("D:\\busy.exe"));

    const PackageSize missing = MeasurePackage(WSTR(" D:\\nothing.exe /q"), fs);
    EXPECT_EQ(missing.bFound, 0);
    EXPECT_EQ(missing.strPath, WSTR("D:\\nothing.exe /q"));
    EXPECT_TRUE(fs.measured.empty()) << "a file that was not found is not opened";

    // A folder counts as found for a command, but has no size.
    const PackageSize folder = MeasurePackage(WSTR("D:\\soft x.exe"), fs);
    EXPECT_EQ(folder.bFound, 1);
    EXPECT_EQ(folder.bMeasured, 0);
    EXPECT_EQ(folder.nBytes, 0u);

    const PackageSize busy = MeasurePackage(WSTR("D:\\busy.exe"), fs);
    EXPECT_EQ(busy.bFound, 1);
    EXPECT_EQ(busy.bMeasured, 0);
    EXPECT_EQ(FormatPackageSize(busy.nBytes), WSTR("0.00 MB"));
}

// Texts that cannot name one file are refused before the file system is asked.
TEST(FileSize, RefusesWildcardsLongTextsAndNuls) {
    MemoryFileSystem fs;
    fs.AddFile(WSTR("D:\\a*.exe"), 5);
    uint64_t size = 99;
    EXPECT_FALSE(fs.FileSize(WSTR("D:\\a*.exe"), size));
    EXPECT_EQ(size, 0u);
    EXPECT_FALSE(fs.FileSize(WSTR("D:\\a?.exe"), size));
    EXPECT_FALSE(fs.FileSize(WString(260, WSTR('a')), size));
    EXPECT_FALSE(fs.FileSize(WString(WSTR("D:\\a.exe\0x"), 10), size));
    EXPECT_FALSE(fs.FileSize(WSTR(""), size));
    EXPECT_TRUE(fs.measured.empty());

    fs.AddFile(WString(259, WSTR('a')), 7);
    EXPECT_TRUE(fs.FileSize(WString(259, WSTR('a')), size));
    EXPECT_EQ(size, 7u);
}

}  // namespace

#if !defined(_WIN32)
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "app/utf.h"

namespace {

// The native file system measures real files: regular files only.
TEST(FileSize, MeasuresRegularFilesOnTheNativeFileSystem) {
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "bundor-size-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path root = pattern;
    fs::create_directories(root / "安装 包");
    std::ofstream(root / "安装 包" / "一兆.exe", std::ios::binary) << std::string(1048576, 'x');
    const auto win = [&](const std::string& relative) {
        WString text = Utf8ToWide((root / relative).string());
        for (WChar& unit : text) {
            if (unit == WSTR('/')) unit = WSTR('\\');
        }
        return text;
    };

    IFileSystem& files = PlatformFileSystem();
    uint64_t size = 0;
    EXPECT_TRUE(files.FileSize(win("安装 包/一兆.exe"), size));
    EXPECT_EQ(size, 1048576u);
    EXPECT_FALSE(files.FileSize(win("安装 包"), size)) << "a folder has no package size";
    EXPECT_FALSE(files.FileSize(win("安装 包/missing.exe"), size));

    const PackageSize package = MeasurePackage(win("安装 包/一兆.exe") + WSTR(" /S"), files);
    EXPECT_EQ(package.bMeasured, 1);
    EXPECT_EQ(FormatPackageSize(package.nBytes), WSTR("1.00 MB"));

    std::error_code ignored;
    fs::remove_all(root, ignored);
}

}  // namespace
#endif
