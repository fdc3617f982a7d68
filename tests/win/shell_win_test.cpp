// CShell on the real Win32 file system and shell: drives E: and F: are CD-ROM drives, G: a disk.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cwctype>
#include <string>
#include <thread>

#include "app/utf.h"
#include "ops/shell.h"
#include "ops/white_space.h"
#include "tests/win/drive_test_support.h"

namespace {

using testmedium::ReadText;

// Closes the message boxes that the shell shows on the watched thread (Wine explains a failed
// start in one; Windows may offer to choose a program), so that no test waits for a click.
class DialogCloser {
public:
    DialogCloser() : m_thread(GetCurrentThreadId()), m_watcher([this] { Watch(); }) {}
    ~DialogCloser() {
        m_stop = true;
        m_watcher.join();
    }

private:
    static BOOL CALLBACK CloseIfDialog(HWND window, LPARAM) {
        wchar_t className[16] = L"";
        GetClassNameW(window, className, 16);
        if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
            PostMessageW(window, WM_COMMAND, IDOK, 0);
            PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        }
        return TRUE;
    }
    void Watch() {
        while (!m_stop) {
            EnumThreadWindows(m_thread, CloseIfDialog, 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    DWORD m_thread;
    std::atomic<bool> m_stop{false};
    std::thread m_watcher;
};

// The highest of 256 new handles. Handle slots are reused lowest first, so this grows by one
// slot for every handle left open below it, wherever the shell's own temporary handles put
// it (GetProcessHandleCount is not implemented by Wine: it reports 0).
std::uintptr_t HandleHighWater() {
    HANDLE probes[256];
    std::uintptr_t highest = 0;
    for (HANDLE& probe : probes) {
        probe = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        highest = std::max(highest, reinterpret_cast<std::uintptr_t>(probe));
    }
    for (HANDLE probe : probes) CloseHandle(probe);
    return highest;
}

class ShellWinTest : public DriveFoldersTest {
protected:
    ShellWinTest() : DriveFoldersTest(L"shell_win_test") {}

    // Copies the fake installer to the path.
    void PlaceInstaller(const std::wstring& path) {
        ASSERT_TRUE(CopyFileW(testmedium::FakeInstaller().c_str(), path.c_str(), FALSE))
            << WideToUtf8(testmedium::FakeInstaller()) << " -> " << WideToUtf8(path);
    }
};

TEST_F(ShellWinTest, ResolvesRealNamesWithBlanksAndChineseCharacters) {
    ASSERT_TRUE(CreateDirectoryW((disk + L"\\安装 程序").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((disk + L"\\安装 程序\\文件 夹").c_str(), nullptr));
    ASSERT_TRUE(testmedium::WriteFile(disk + L"\\安装 程序\\设置 工具.exe", "x"));

    CShell shell;
    const std::wstring file = disk + L"\\安装 程序\\设置 工具.exe";
    EXPECT_EQ(shell.SetCommand(L"\r\n\t" + file + L" /S /D=中文 目录 \x3000", L""), 1);
    EXPECT_EQ(shell.m_strPath, file);
    EXPECT_EQ(shell.m_strParams, L"/S /D=中文 目录");

    // A folder is a program part like a file; wildcards act as wildcards.
    EXPECT_EQ(shell.SetCommand(disk + L"\\安装 程序\\文件 夹 x", L""), 1);
    EXPECT_EQ(shell.m_strPath, disk + L"\\安装 程序\\文件 夹");
    EXPECT_EQ(shell.SetCommand(disk + L"\\安装 程序\\设置*.exe /S", L""), 1);
    EXPECT_EQ(shell.m_strPath, disk + L"\\安装 程序\\设置*.exe");

    EXPECT_EQ(shell.SetCommand(disk + L"\\安装 程序\\设置.exe /S", L""), 0);
    EXPECT_EQ(shell.m_strPath, disk + L"\\安装 程序\\设置.exe /S");
}

TEST_F(ShellWinTest, ExistenceTestStopsBelow260Units) {
    IFileSystem& files = PlatformFileSystem();
    // Names that make the whole path exactly 259 and 260 units long, made through the
    // long-path form that the existence test itself never uses.
    const std::wstring folder = disk + L"\\";
    const std::wstring path259 = folder + std::wstring(259 - folder.size(), L'a');
    const std::wstring path260 = folder + std::wstring(260 - folder.size(), L'b');
    ASSERT_TRUE(testmedium::WriteFile(L"\\\\?\\" + path259, "x"));
    ASSERT_TRUE(testmedium::WriteFile(L"\\\\?\\" + path260, "x"));
    ASSERT_EQ(ReadText(L"\\\\?\\" + path260), "x");

    EXPECT_TRUE(files.Exists(path259));
    EXPECT_FALSE(files.Exists(path260));
    EXPECT_FALSE(files.Exists(path260.substr(0, path260.size() - 1) + L"?"));
    EXPECT_FALSE(files.Exists(folder + std::wstring(70000, L'c')));
    EXPECT_FALSE(files.Exists(L""));

    DeleteFileW((L"\\\\?\\" + path259).c_str());
    DeleteFileW((L"\\\\?\\" + path260).c_str());
}

// Ordinary names are answered by an attribute query, every other text by the search and the
// open as before: the answers must be the search's own.
TEST_F(ShellWinTest, ExistenceAndSizeAgreeWithTheSearchForOddNames) {
    IFileSystem& files = PlatformFileSystem();
    const std::wstring folder = disk + L"\\奇 名";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(testmedium::WriteFile(folder + L"\\a.exe", std::string(1500, 'x')));
    auto searchFinds = [](const std::wstring& text) {
        WIN32_FIND_DATAW data;
        const HANDLE find = FindFirstFileW(text.c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return false;
        FindClose(find);
        return true;
    };
    for (const std::wstring& text :
         {folder, folder + L"\\", folder + L"\\.", folder + L"\\..", folder + L"\\a.exe",
          folder + L"\\A.EXE", folder + L"\\a.exe.", folder + L"\\a.exe ", folder + L"\\b.exe",
          folder + L"\\a.exe:stream", std::wstring(L"G:\\"), std::wstring(L"G:"),
          std::wstring(L"NUL"), folder + L"\\nul", folder + L"\\COM1.txt", std::wstring(L"CON")})
        EXPECT_EQ(files.Exists(text), searchFinds(text)) << WideToUtf8(text);
    EXPECT_TRUE(files.Exists(folder + L"\\A.EXE"));

    uint64_t size = 7;
    EXPECT_TRUE(files.FileSize(folder + L"\\A.EXE", size));
    EXPECT_EQ(size, 1500u);
    for (const std::wstring& text :
         {folder, folder + L"\\", folder + L"\\b.exe", folder + L"\\a.*"}) {
        EXPECT_FALSE(files.FileSize(text, size)) << WideToUtf8(text);
        EXPECT_EQ(size, 0u);
    }
    testmedium::RemoveTree(folder + L"\\");
}

TEST_F(ShellWinTest, CdromMarkerFindsTheFileOnTheFirstCdDriveThatHasIt) {
    ASSERT_EQ(GetDriveTypeW(L"E:\\"), static_cast<UINT>(DRIVE_CDROM)) << "test drive E:";
    ASSERT_EQ(GetDriveTypeW(L"F:\\"), static_cast<UINT>(DRIVE_CDROM)) << "test drive F:";
    ASSERT_EQ(PlatformFileSystem().DriveType(L"G:\\"), static_cast<unsigned>(kDriveFixed));

    const std::wstring name = relative + L"\\软件 包\\安装.exe";
    CreateDirectoryW((L"F:\\" + relative + L"\\软件 包").c_str(), nullptr);
    ASSERT_TRUE(testmedium::WriteFile(L"F:\\" + name, "f"));
    // The same file on the plain disk G: is never looked at.
    CreateDirectoryW((L"G:\\" + relative + L"\\软件 包").c_str(), nullptr);
    ASSERT_TRUE(testmedium::WriteFile(L"G:\\" + name, "g"));

    CShell shell;
    EXPECT_EQ(shell.SetCommand(L"cdrom:\\" + name + L" /q", L""), 1);
    EXPECT_EQ(shell.m_strPath, L"F:\\" + name);
    EXPECT_EQ(shell.m_strParams, L"/q");

    // A working folder in front of the marker changes nothing.
    EXPECT_EQ(shell.SetCommand(disk + L"\\cdrom:\\" + name + L" /q", L""), 1);
    EXPECT_EQ(shell.m_strPath, L"F:\\" + name);

    CreateDirectoryW((L"E:\\" + relative + L"\\软件 包").c_str(), nullptr);
    ASSERT_TRUE(testmedium::WriteFile(L"E:\\" + name, "e"));
    EXPECT_EQ(shell.SetCommand(L"cdrom:\\" + name + L" /q", L""), 1);
    EXPECT_EQ(shell.m_strPath, L"E:\\" + name);

    EXPECT_EQ(shell.SetCommand(L"cdrom:\\" + relative + L"\\missing.exe /q", L""), 0);
    EXPECT_EQ(shell.m_strPath, L"cdrom:\\" + relative + L"\\missing.exe /q");
}

TEST_F(ShellWinTest, CopyToOverwritesUnlessFailIfExists) {
    ASSERT_TRUE(testmedium::WriteFile(disk + L"\\源 文件.exe", "new"));
    ASSERT_TRUE(testmedium::WriteFile(disk + L"\\副本.exe", "old"));
    CShell shell(disk + L"\\源 文件.exe /S", L"");
    ASSERT_EQ(shell.m_bFound, 1);

    EXPECT_EQ(shell.CopyTo(disk + L"\\副本.exe", 1), 0);
    EXPECT_EQ(ReadText(disk + L"\\副本.exe"), "old");
    EXPECT_EQ(shell.CopyTo(disk + L"\\副本.exe", 0), 1);
    EXPECT_EQ(ReadText(disk + L"\\副本.exe"), "new");
    EXPECT_EQ(shell.CopyTo(disk + L"\\no folder\\副本.exe", 0), 0);

    CShell missing(disk + L"\\缺少.exe", L"");
    EXPECT_EQ(missing.CopyTo(disk + L"\\缺少 副本.exe", 0), 0);
    EXPECT_EQ(ReadText(disk + L"\\缺少 副本.exe"), "<missing>");
}

TEST_F(ShellWinTest, ExecuteWithWaitReturnsAfterTheInstallerEnded) {
    ASSERT_TRUE(CreateDirectoryW((disk + L"\\安装 程序").c_str(), nullptr));
    const std::wstring installer = disk + L"\\安装 程序\\假 安装.exe";
    PlaceInstaller(installer);
    const std::wstring log = disk + L"\\日志 文件.txt";
    const std::wstring params = L"/log=\"" + log + L"\" /sleep=400 /S /D=\"C:\\程序 目录\"";

    CShell shell;
    ASSERT_EQ(shell.SetCommand(installer + L" " + params, L""), 1);
    EXPECT_EQ(shell.m_strPath, installer);
    const auto began = std::chrono::steady_clock::now();
    const ProcessHandle result = shell.Execute(1);
    const auto took = std::chrono::steady_clock::now() - began;

    EXPECT_NE(result, nullptr);
    EXPECT_EQ(shell.m_hProcess, nullptr) << "the handle is closed after the wait";
    EXPECT_GE(took, std::chrono::milliseconds(350));
    const std::string text = ReadText(log);
    EXPECT_NE(text.find(" " + WideToUtf8(params) + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nend\n"), std::string::npos) << "returned before the end:\n" << text;
}

TEST_F(ShellWinTest, ExecuteWithoutWaitLeavesTheInstallerRunning) {
    const std::wstring installer = disk + L"\\setup.exe";
    PlaceInstaller(installer);
    const std::wstring log = disk + L"\\log.txt";

    CShell shell(installer + L" /log=" + log + L" /sleep=1500 /exit=3", L"");
    ASSERT_EQ(shell.m_bFound, 1);
    const ProcessHandle process = shell.Execute(0);
    ASSERT_NE(process, nullptr);
    EXPECT_EQ(shell.m_hProcess, process);
    EXPECT_EQ(WaitForSingleObject(process, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    // The handle is live and ours to look at while the shell keeps it.
    ASSERT_EQ(WaitForSingleObject(process, 20000), static_cast<DWORD>(WAIT_OBJECT_0));
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(process, &code));
    EXPECT_EQ(code, 3u);
    EXPECT_NE(ReadText(log).find("\nend\n"), std::string::npos);
}

TEST_F(ShellWinTest, StartedFromTheCurrentFolderForARelativeCommand) {
    ASSERT_TRUE(CreateDirectoryW((disk + L"\\子 目录").c_str(), nullptr));
    PlaceInstaller(disk + L"\\子 目录\\setup.exe");
    wchar_t before[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryW(disk.c_str()));

    CShell shell;
    const int found = shell.SetCommand(L"子 目录\\setup.exe /log=日志.txt /S", L"");
    const ProcessHandle result = found ? shell.Execute(1) : nullptr;
    SetCurrentDirectoryW(before);

    EXPECT_EQ(found, 1);
    // Found in the current folder of that moment, and kept as a full path.
    EXPECT_EQ(shell.m_strPath, disk + L"\\子 目录\\setup.exe");
    EXPECT_NE(result, nullptr);
    const std::string text = ReadText(disk + L"\\日志.txt");
    EXPECT_NE(text.find("cwd: " + WideToUtf8(disk) + "\n"), std::string::npos) << text;
}

TEST_F(ShellWinTest, ProcessHandlesDoNotAccumulate) {
    const std::wstring installer = disk + L"\\setup.exe";
    PlaceInstaller(installer);
    CShell warmUp(installer, L"");
    ASSERT_NE(warmUp.Execute(1), nullptr);  // lets the shell set up what it keeps for good

    const std::uintptr_t before = HandleHighWater();
    DWORD countBefore = 0;
    GetProcessHandleCount(GetCurrentProcess(), &countBefore);
    {
        CShell shell(installer, L"");
        for (int i = 0; i < 12; ++i) {
            ASSERT_NE(shell.Execute(0), nullptr);
            ASSERT_NE(shell.Execute(1), nullptr);
        }
        ASSERT_NE(shell.Execute(0), nullptr);
        shell.SetCommand(installer, L"");
        ASSERT_NE(shell.Execute(0), nullptr);
    }
    const std::uintptr_t after = HandleHighWater();
    DWORD countAfter = 0;
    GetProcessHandleCount(GetCurrentProcess(), &countAfter);

    // 26 starts: a leak of one handle each would move the high water by 26 slots of 4.
    EXPECT_LE(after, before + 4 * 4) << before << " -> " << after;
    EXPECT_LE(countAfter, countBefore + 4);
}

TEST_F(ShellWinTest, FileWithoutAssociationStartsNoProcess) {
    const std::wstring file = disk + L"\\说明.bundor-no-association";
    ASSERT_TRUE(testmedium::WriteFile(file, "x"));
    CShell shell(file, L"");
    ASSERT_EQ(shell.m_bFound, 1);
    DialogCloser closer;
    EXPECT_EQ(shell.Execute(1), nullptr);
    EXPECT_EQ(shell.Execute(0), nullptr);
    EXPECT_EQ(shell.m_hProcess, nullptr);
}

// The platform's starter, counting the starts that reach it.
class CountingStarter : public IProcessStarter {
public:
    int starts = 0;
    ProcessHandle Start(const WString& file, const WString& params) override {
        ++starts;
        return PlatformProcessStarter().Start(file, params);
    }
    bool Wait(ProcessHandle process, uint32_t timeoutMs, uint32_t& exitCode) override {
        return PlatformProcessStarter().Wait(process, timeoutMs, exitCode);
    }
    void Close(ProcessHandle process) override { PlatformProcessStarter().Close(process); }
};

TEST_F(ShellWinTest, MissingFileStartsNothing) {
    const std::wstring installer = disk + L"\\setup.exe";
    PlaceInstaller(installer);
    CountingStarter starter;
    CShell shell(PlatformFileSystem(), starter);
    DialogCloser closer;

    EXPECT_EQ(shell.SetCommand(installer + L"x /S", L""), 0);
    EXPECT_EQ(shell.m_bFound, 0);
    EXPECT_EQ(shell.Execute(1), nullptr);
    EXPECT_EQ(shell.Execute(0), nullptr);
    EXPECT_EQ(starter.starts, 0);

    // The same object, once it has found a file, does reach the shell.
    EXPECT_EQ(shell.SetCommand(installer + L" /S", L""), 1);
    EXPECT_NE(shell.Execute(1), nullptr);
    EXPECT_EQ(starter.starts, 1);
}

TEST(WhiteSpaceWin, TrimmedUnitsAreTheCLibrarysWhiteSpace) {
    for (unsigned unit = 0; unit <= 0xFFFF; ++unit) {
        EXPECT_EQ(IsWideSpace(static_cast<wchar_t>(unit)), std::iswspace(unit) != 0)
            << "U+" << std::hex << unit;
    }
}

}  // namespace
