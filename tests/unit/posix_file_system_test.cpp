// The native file system that the catalogue checker resolves commands with, on real files.
#if !defined(_WIN32)

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/utf.h"
#include "ops/shell.h"

namespace {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed with everything in it.
class PosixFileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "bundor-ops-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
        fs::create_directories(root / "安装 程序" / "文件 夹");
        Write(root / "安装 程序" / "设置 工具.exe", "tool");
        Write(root / "安装 程序" / "setup.exe", "setup");
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    static void Write(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The folder as a Windows-style text with backslashes, as catalogues write paths.
    WString Win(const std::string& relative) const {
        WString text = Utf8ToWide((root / relative).string());
        for (WChar& unit : text) {
            if (unit == WSTR('/')) unit = WSTR('\\');
        }
        return text;
    }

    fs::path root;
    IFileSystem& files = PlatformFileSystem();
};

TEST_F(PosixFileSystemTest, FindsFilesAndFoldersLikeAFirstFileSearch) {
    EXPECT_TRUE(files.Exists(Win("安装 程序/设置 工具.exe")));
    EXPECT_TRUE(files.Exists(Win("安装 程序/文件 夹")));
    EXPECT_FALSE(files.Exists(Win("安装 程序/文件 夹/")));   // a trailing separator names nothing
    EXPECT_FALSE(files.Exists(Win("安装 程序/SETUP.EXE")));  // letter case counts here
    EXPECT_FALSE(files.Exists(Win("安装 程序/missing.exe")));

    // Wildcards in the last component only.
    EXPECT_TRUE(files.Exists(Win("安装 程序/set*.exe")));
    EXPECT_TRUE(files.Exists(Win("安装 程序/设置 ??.exe")));
    EXPECT_TRUE(files.Exists(Win("安装 程序/*")));
    EXPECT_TRUE(files.Exists(Win("安装 程序/*u*.*e")));
    EXPECT_FALSE(files.Exists(Win("安装 程序/设置 ?.exe")));
    EXPECT_FALSE(files.Exists(Win("安装 程序/*.dll")));
    EXPECT_FALSE(files.Exists(Win("安装 */setup.exe")));

    EXPECT_EQ(files.DriveType(WSTR("E:\\")), kDriveNoRootDir);
    EXPECT_EQ(files.DriveType(WSTR("C:\\")), kDriveNoRootDir);
}

TEST_F(PosixFileSystemTest, RelativeTextsStartAtTheCurrentFolder) {
    const fs::path before = fs::current_path();
    fs::current_path(root);
    EXPECT_TRUE(files.Exists(WSTR("安装 程序\\setup.exe")));
    EXPECT_TRUE(files.Exists(WSTR("安装*")));
    EXPECT_FALSE(files.Exists(WSTR("setup.exe")));
    fs::current_path(before);
}

TEST_F(PosixFileSystemTest, CopyOverwritesUnlessTold) {
    const WString from = Win("安装 程序/setup.exe");
    const WString to = Win("副本.exe");
    EXPECT_TRUE(files.Copy(from, to, false));
    EXPECT_EQ(Read(root / "副本.exe"), "setup");

    Write(root / "副本.exe", "old");
    EXPECT_FALSE(files.Copy(from, to, true));
    EXPECT_EQ(Read(root / "副本.exe"), "old");
    EXPECT_TRUE(files.Copy(from, to, false));
    EXPECT_EQ(Read(root / "副本.exe"), "setup");

    EXPECT_FALSE(files.Copy(Win("missing.exe"), Win("x.exe"), false));
    EXPECT_FALSE(files.Copy(from, Win("no such folder/x.exe"), false));
}

TEST_F(PosixFileSystemTest, ShellResolvesButNeverStartsNatively) {
    CShell shell;
    EXPECT_EQ(shell.SetCommand(Win("安装 程序/设置 工具.exe") + WSTR(" /S /D=中文"), WSTR("")), 1);
    EXPECT_EQ(shell.m_strPath, Win("安装 程序/设置 工具.exe"));
    EXPECT_EQ(shell.m_strParams, WSTR("/S /D=中文"));
    EXPECT_EQ(shell.Execute(0), nullptr);
    EXPECT_EQ(shell.Execute(1), nullptr);

    // A folder is a program part too; "cdrom:\" finds no CD drive here and looks in place.
    EXPECT_EQ(shell.SetCommand(WSTR("cdrom:\\") + Win("安装 程序/文件 夹") + WSTR(" x"), WSTR("")),
              1);
    EXPECT_EQ(shell.m_strPath, Win("安装 程序/文件 夹"));
    EXPECT_EQ(shell.m_strParams, WSTR("x"));
}

}  // namespace

#endif
