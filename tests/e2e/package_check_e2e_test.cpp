// The shipped launcher and the package check, from the CD-ROM drive with real input: the
// medium's hashes written by the checker as an author writes them, then one installer altered
// afterwards, as a bad copy or a virus would. The altered file is neither started by the batch
// run nor by its row link; with RequireHashes a file that is not listed is refused too.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/e2e_support.h"

namespace {

using namespace e2e;

const std::wstring kLog = kMedium + L"hash.log";

std::wstring Entry(const wchar_t* name, const wchar_t* file) {
    return L"[" + std::wstring(name) + L"]\r\nWorkingDir=%CurrDir%\r\nAutoInstall=soft\\" + file +
           L" /log=" + kLog + L"\r\nManualInstall=soft\\" + file + L"\r\nChecked=1\r\n";
}

// The medium's [Hashes] written by the checker, as the author does before burning.
void WriteHashes() {
    const std::wstring command =
        L"\"" + WinePath(BUNDOR_CHECKER) + L"\" --write-hashes \"" + kMedium + L"Setup.INI\"";
    ASSERT_EQ(RunAndWait(command, 60000), 0u);
}

// Appends a byte: the file is what a bad copy or a file-infecting virus leaves behind.
void Alter(const std::wstring& path) {
    const HANDLE h =
        ::CreateFileW(path.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(h, "x", 1, &written, nullptr);
    ::CloseHandle(h);
}

// The installers that started, by their file names.
std::vector<std::wstring> Started() {
    std::vector<std::wstring> names;
    for (const std::wstring& line : LinesStartingWith(LogLines(kLog), L"cmdline: "))
        names.push_back(line.substr(line.find(L"soft\\") + 5, 3));
    return names;
}

class PackageCheck : public MediumTest {
protected:
    PackageCheck() : MediumTest(kLog) {}
};

TEST_F(PackageCheck, AnInstallerAlteredAfterHashingIsRefusedByTheRunAndByItsLink) {
    WriteMedium(
        L"[Config]\r\nTitleText=校验\r\nWaitime=30\r\n[Type]\r\nSort1=甲\r\n[甲]\r\n"
        L"[甲.List]\r\nList1=一\r\nList2=二\r\nList3=三\r\n" +
            Entry(L"一", L"one.exe") + Entry(L"二", L"two.exe") + Entry(L"三", L"three.exe"),
        {L"one.exe", L"two.exe", L"three.exe"});
    WriteHashes();
    Alter(kMedium + L"soft\\two.exe");
    Launcher launcher(L"校验");
    ASSERT_NE(launcher.hMain, nullptr);
    launcher.Press({VK_MENU, 'I'});

    const HWND hReport = DialogTitled(L"某些项目安装失败, 请检查这些项目的安装文件路径!");
    ASSERT_NE(hReport, nullptr);
    EXPECT_EQ(Text(::GetDlgItem(hReport, 1001)),
              L"正在安装...66.7% " + kMedium + L"soft\\two.exe（文件校验失败）\r\n");
    EXPECT_EQ(Started(), (std::vector<std::wstring>{L"one", L"thr"}));
    ClickCentre(::GetDlgItem(hReport, IDOK));
    ASSERT_NE(WaitFor([&] { return ::IsWindowVisible(launcher.hMain) ? launcher.hMain : nullptr; }),
              nullptr);

    // The altered entry's own "自动安装" link: refused with the message, nothing started.
    // Rows of 65 pixels: the category's header, 一, then 二.
    POINT link{};
    ASSERT_TRUE(FindLink(::GetDlgItem(launcher.hMain, 1007), 130, 2, link));
    ClickLink(link);
    const HWND hBox = DialogTitled(L"自动安装");
    ASSERT_NE(hBox, nullptr);
    EXPECT_EQ(Text(::GetDlgItem(hBox, 0xFFFF)),
              L"文件校验失败, 安装文件可能已损坏或被修改!\n\n文件原始路径: " + kMedium +
                  L"soft\\two.exe /log=" + kLog);
    ::Sleep(500);
    EXPECT_EQ(Started().size(), 2u);
    ::PostMessageW(hBox, WM_COMMAND, IDOK, 0);
    ::Sleep(300);
    ::PostMessageW(launcher.hMain, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(launcher.WaitForExit(10000), 0u);
}

TEST_F(PackageCheck, WithRequireHashesAFileThatIsNotListedIsRefused) {
    const std::wstring head =
        L"[Config]\r\nTitleText=校验\r\nWaitime=1\r\nExitAfterCountdown=1\r\n"
        L"RequireHashes=1\r\n[Type]\r\nSort1=甲\r\n[甲]\r\n[甲.List]\r\nList1=一\r\nList2=二\r\n";
    WriteMedium(head + Entry(L"一", L"one.exe"), {L"one.exe", L"two.exe"});
    WriteHashes();  // lists one.exe only
    // 二 comes later, after the hashes were written: it is not listed.
    std::string ini = ReadText(kMedium + L"Setup.INI");
    ini += WideToUtf8(Entry(L"二", L"two.exe"));
    WriteFile(kMedium + L"Setup.INI", ini);

    Launcher launcher(L"校验");
    ASSERT_NE(launcher.hMain, nullptr);
    EXPECT_EQ(launcher.WaitForExit(30000), 1u) << "one refused entry";
    EXPECT_EQ(Started(), std::vector<std::wstring>{L"one"});
}

}  // namespace
