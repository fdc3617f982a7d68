// The checker on real files natively: the demo catalogue on a medium folder, the four
// encodings of one catalogue, and files that cannot be read.
#if !defined(_WIN32)

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/file_reader.h"
#include "checker/full_path.h"
#include "checker/letter_case.h"
#include "tests/unit/checker_test_support.h"

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

fs::path SourceFolder() {
    const char* data = std::getenv("BUNDOR_TESTDATA");  // <source>/tests/data
    return fs::path(data != nullptr ? data : "tests/data").parent_path().parent_path();
}

// Checks a file as the program does: read it, take its folder as the exe folder.
CheckReport CheckFile(const fs::path& file) {
    CheckInput input;
    input.strCatalogue = Utf8ToWide(file.string());
    input.strExeFolder = FolderOfFile(input.strCatalogue);
    input.bRead = ReadWholeFile(input.strCatalogue, input.bytes);
    return CheckCatalogue(input, PlatformFileSystem());
}

class CheckerFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "bundor-check-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
        previous = fs::current_path();
    }
    void TearDown() override {
        fs::current_path(previous);
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    static void Write(const fs::path& path, size_t size) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << std::string(size, 'x');
    }

    fs::path root;
    fs::path previous;
};

// The demo medium: one entry's installer is deliberately missing, one command has the
// "cdrom:\" marker (no CD drive here: it is found in the medium's folder), one entry is listed
// in two categories, one installer is told to fail.
TEST_F(CheckerFilesTest, DemoCatalogueOnAMediumFolder) {
    const fs::path medium = root / "光盘";
    fs::create_directories(medium);
    fs::copy(SourceFolder() / "demo" / "Setup.INI", medium / "Setup.INI");
    fs::copy(SourceFolder() / "demo" / "icons", medium / "icons");
    Write(medium / "soft" / "压缩工具 setup.exe", 1048576);
    Write(medium / "soft" / "演示输入法.exe", 1572864);
    Write(medium / "soft" / "notepad-demo.exe", 94371);
    Write(medium / "soft" / "viewer-demo.msi", 10486);
    Write(medium / "soft" / "系统清理.exe", 0);
    Write(medium / "soft" / "安装失败演示.exe", 262144);
    // Run from elsewhere: relative texts are still looked for on the medium.
    fs::current_path(root);

    const CheckReport report = CheckFile(fs::relative(medium / "Setup.INI", root));
    EXPECT_EQ(Findings(report), (Strings{
                                    "entry-listed-several-times 24 [演示记事本]",
                                    "cdrom-command 54 [演示输入法] AutoInstall",
                                    "cdrom-command 55 [演示输入法] ManualInstall",
                                    "command-not-found 83 [光盘上没有的软件] AutoInstall",
                                    "command-not-found 84 [光盘上没有的软件] ManualInstall",
                                }));
    EXPECT_EQ(report.encoding, TextEncoding::Utf8Bom);
    EXPECT_EQ(ExitStatus(report), kExitErrors);
    EXPECT_TRUE(Only(report, FindingKind::CdromCommand, 54).items.empty()) << "no CD drive";

    std::string folder = (medium.string() + "/");
    for (char& c : folder) {
        if (c == '/') c = '\\';
    }
    EXPECT_EQ(U8(report.strExeFolder), folder) << "the medium's full path";
    const LauncherView& view = report.view;
    EXPECT_EQ(U8(view.strTitle), "软件安装管理器 - 演示光盘");
    EXPECT_EQ(view.nWidth, 900);
    ASSERT_EQ(view.categories.size(), 4u);
    std::vector<std::string> sizes;
    for (const CategoryView& category : view.categories) {
        EXPECT_TRUE(category.icon.bFound) << U8(category.icon.strPath);
        for (const EntryView& entry : category.entries) {
            EXPECT_TRUE(entry.icon.bFound) << U8(entry.icon.strPath);
            sizes.push_back(U8(entry.strName) + " " + U8(entry.strSize));
        }
    }
    EXPECT_EQ(sizes, (Strings{"压缩工具 1.00 MB", "演示输入法 1.50 MB", "演示记事本 0.09 MB",
                              "演示查看器 0.01 MB", "演示记事本 0.09 MB", "系统清理 0.00 MB",
                              "光盘上没有的软件 0.00 MB", "安装失败演示 0.25 MB"}));
    EXPECT_EQ(U8(view.categories[0].entries[0].autoInstall.strProgram),
              folder + "soft\\压缩工具 setup.exe");
    // Every entry accepts the codes of [Config]; one installer is told to fail with 1603.
    EXPECT_EQ(U8(view.strLogFile), "%TEMP%\\bundor-demo.log");
    const EntryView& failing = view.categories[2].entries.at(2);
    EXPECT_EQ(U8(failing.autoInstall.strParams), "/S /exit=1603");
    EXPECT_EQ(failing.run.policy.successCodes, (std::vector<uint32_t>{0, 3010, 1641}));
    EXPECT_EQ(failing.run.successCodes.source, KeySource::Config);
}

// One catalogue saved in four encodings reads the same.
TEST_F(CheckerFilesTest, EveryEncodingOfOneCatalogueReadsTheSame) {
    const fs::path data = SourceFolder() / "tests" / "data";
    const CheckReport utf8 = CheckFile(data / "catalogue_utf8.ini");
    ASSERT_TRUE(utf8.bRead);
    EXPECT_EQ(utf8.encoding, TextEncoding::Utf8);
    ASSERT_FALSE(utf8.view.categories.empty());
    for (const auto& [name, encoding] : std::vector<std::pair<const char*, TextEncoding>>{
             {"catalogue_utf8bom.ini", TextEncoding::Utf8Bom},
             {"catalogue_utf16le.ini", TextEncoding::Utf16Le},
             {"catalogue_cp936.ini", TextEncoding::Ansi}}) {
        const CheckReport other = CheckFile(data / name);
        EXPECT_EQ(other.encoding, encoding) << name;
        EXPECT_EQ(Findings(other), Findings(utf8)) << name;
        EXPECT_EQ(other.view.strTitle, utf8.view.strTitle) << name;
        ASSERT_EQ(other.view.categories.size(), utf8.view.categories.size()) << name;
        for (size_t k = 0; k < utf8.view.categories.size(); ++k) {
            EXPECT_EQ(other.view.categories[k].strName, utf8.view.categories[k].strName);
            EXPECT_EQ(other.view.categories[k].entries.size(),
                      utf8.view.categories[k].entries.size());
        }
    }
}

TEST_F(CheckerFilesTest, FilesThatCannotBeRead) {
    fs::create_directories(root / "folder.ini");
    for (const fs::path& path : {root / "folder.ini", root / "missing.ini"}) {
        const CheckReport report = CheckFile(path);
        EXPECT_FALSE(report.bRead) << path;
        EXPECT_EQ(Findings(report), Strings{"file-unreadable 0"});
        EXPECT_EQ(ExitStatus(report), kExitUnreadable);
    }
}

// On a Linux copy of a disc: names in other letter case are found as Windows finds them, and
// a copy deep in the tree is checked by the paths the launcher will see from E:\.
TEST_F(CheckerFilesTest, MediumCopyDeepInALinuxTree) {
    fs::path medium = root;
    for (int i = 0; i < 12; ++i) medium /= std::string(20, 'a' + i);
    Write(medium / "Soft" / "Setup.EXE", 1048576);
    Write(medium / "soft" / "other.exe", 1);  // a folder of the same name but other case
    std::ofstream(medium / "Bundor.INI")
        << "[Type]\nSort1=A\n[A]\n[A.List]\nList1=B\n[B]\nWorkingDir=%CurrDir%\n"
           "AutoInstall=soft\\setup.exe /S\nManualInstall=soft\\setup.exe\n";
    CheckInput input;
    input.strCatalogue = Utf8ToWide((medium / "Bundor.INI").string());
    input.strExeFolder = FolderOfFile(input.strCatalogue);
    input.strLauncherFolder = WSTR("E:\\");
    input.bRead = ReadWholeFile(input.strCatalogue, input.bytes);
    ASSERT_GT(input.strExeFolder.size(), 260u);
    const CheckReport report =
        CheckCatalogue(input, PlatformFileSystem(), PlatformLetterCaseFinder());
    EXPECT_EQ(Findings(report), (Strings{"letter-case-differs 8 [B] AutoInstall",
                                         "letter-case-differs 9 [B] ManualInstall"}));
    EXPECT_EQ(U8(Only(report, FindingKind::LetterCaseDiffers, 8).strHint), "E:\\Soft\\Setup.EXE");
    EXPECT_EQ(U8(report.view.categories.at(0).entries.at(0).strSize), "1.00 MB");
}

}  // namespace

#endif
