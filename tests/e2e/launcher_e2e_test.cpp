// The shipped launcher end to end: copied as Setup.exe onto a medium on the CD-ROM drive E:
// with its catalogue beside it, started as its own process, driven only with real input and
// judged by what really happened: which installers ran, in which order, with which
// parameters, what got installed, how the process ended, which windows were left.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "tests/e2e/e2e_support.h"

namespace {

using namespace batchtest;
using namespace e2e;

const wchar_t kMsiFile[] = L"C:\\Program Files (x86)\\Bundor Demo\\MSI Viewer\\readme.txt";
// Both packages are 32-bit ones.
const wchar_t kNsisFile[] = L"C:\\Program Files (x86)\\Bundor Demo\\NSIS Notepad\\readme.txt";

struct Medium {
    std::wstring log = kMedium + L"log.txt";
    std::vector<std::wstring> ticked;  // the commands that should run, in catalogue order

    explicit Medium(int waitime) {
        ::CreateDirectoryW(kMedium.c_str(), nullptr);
        ::CreateDirectoryW((kMedium + L"soft").c_str(), nullptr);
        ::DeleteFileW(log.c_str());
        ::CopyFileW(WinePath(BUNDOR_LAUNCHER).c_str(), (kMedium + L"Setup.exe").c_str(), FALSE);
        for (const wchar_t* n : {L"one.exe", L"two.exe", L"three.exe", L"four.exe"})
            ::CopyFileW(FakeInstaller().c_str(), (kMedium + L"soft\\" + n).c_str(), FALSE);
        ::CopyFileW(DemoFile(L"viewer-demo.msi").c_str(), (kMedium + L"soft\\viewer.msi").c_str(),
                    FALSE);
        ::CopyFileW(DemoFile(L"notepad-demo.exe").c_str(), (kMedium + L"soft\\notepad.exe").c_str(),
                    FALSE);

        const std::wstring one = L"soft\\one.exe /log=" + log + L" /n=1";
        const std::wstring msi = L"soft\\viewer.msi /qn /norestart";
        const std::wstring two = L"soft\\two.exe /log=" + log + L" /exists=\"" + kMsiFile + L"\"";
        const std::wstring nsis = L"soft\\notepad.exe /S";
        const std::wstring three =
            L"soft\\three.exe /log=" + log + L" /exists=\"" + kNsisFile + L"\"";
        const std::wstring four = L"soft\\four.exe /log=" + log;
        std::wstring ini = L"\xFEFF[Config]\r\nTitleText=端到端\r\nDefault=1\r\nWaitime=" +
                           std::to_wstring(waitime) +
                           L"\r\n[Type]\r\nSort1=甲类\r\nSort2=乙类\r\n"
                           L"[甲类]\r\nWorkingDir=%CurrDir%\r\n[甲类.List]\r\nList1=第一\r\nList2="
                           L"查看器\r\nList3=第二\r\n"
                           L"[乙类]\r\nWorkingDir=%CurrDir%\r\n[乙类.List]\r\n";
        int n = 1;
        if (Runs32Bit()) ini += L"List" + std::to_wstring(n++) + L"=记事本\r\n";
        ini += L"List" + std::to_wstring(n++) + L"=第三\r\n";
        ini += L"List" + std::to_wstring(n++) + L"=不选\r\n";
        const auto entry = [&](const wchar_t* name, const std::wstring& command, int checked) {
            ini += std::wstring(L"[") + name + L"]\r\nWorkingDir=%CurrDir%\r\nAutoInstall=" +
                   command + L"\r\nManualInstall=" + command + L"\r\nChecked=" +
                   std::to_wstring(checked) + L"\r\n";
            if (checked) ticked.push_back(kMedium + command);
        };
        entry(L"第一", one, 1);
        entry(L"查看器", msi, 1);
        entry(L"第二", two, 1);
        if (Runs32Bit()) entry(L"记事本", nsis, 1);
        entry(L"第三", three, 1);
        entry(L"不选", four, 0);
        WriteFile(kMedium + L"Setup.INI", WideToUtf8(ini));
    }
};

class LauncherEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        // A clean machine: the MSI package uninstalled, the NSIS one's file gone.
        RunAndWait(
            L"C:\\windows\\system32\\msiexec.exe /x \"" + DemoFile(L"viewer-demo.msi") + L"\" /qn",
            60000);
        ::DeleteFileW(kNsisFile);
        uitest::MouseTo(POINT{2, 2});
    }
};

TEST_F(LauncherEndToEnd, TheCountdownInstallsThePreTickedEntriesInOrderAndEndsTheProgram) {
    const Medium medium(3);
    const std::set<HWND> before = VisibleTopWindows();
    Launcher launcher;
    ASSERT_NE(launcher.hMain, nullptr);
    EXPECT_EQ(launcher.WaitForExit(120000), 0u);

    const std::wstring q = L"\"";
    std::vector<std::wstring> expected = {
        L"cmdline: " + q + kMedium + L"soft\\one.exe" + q + L" /log=" + medium.log + L" /n=1",
        L"cmdline: " + q + kMedium + L"soft\\two.exe" + q + L" /log=" + medium.log + L" /exists=" +
            q + kMsiFile + q,
        L"exists: 1",  // the MSI package installed before the next entry started
        L"cmdline: " + q + kMedium + L"soft\\three.exe" + q + L" /log=" + medium.log +
            L" /exists=" + q + kNsisFile + q,
        Runs32Bit() ? L"exists: 1" : L"exists: 0",  // the NSIS installer too, where it can run
    };
    EXPECT_EQ(Ran(LogLines(medium.log)), expected);
    EXPECT_NE(::GetFileAttributesW(kMsiFile), INVALID_FILE_ATTRIBUTES);
    ::Sleep(500);
    EXPECT_EQ(VisibleTopWindows(), before) << "a window was left behind";
}

TEST_F(LauncherEndToEnd, AMissingInstallerIsReportedAndTheLauncherGoesOnAfterAClickOnInstall) {
    const Medium medium(30);
    ASSERT_TRUE(::DeleteFileW((kMedium + L"soft\\two.exe").c_str()));
    Launcher launcher;
    ASSERT_NE(launcher.hMain, nullptr);
    const HWND hInstall = ::GetDlgItem(launcher.hMain, 1003);
    ASSERT_NE(hInstall, nullptr);
    ::Sleep(500);
    ClickCentre(hInstall);

    const HWND hReport = DialogTitled(L"某些项目安装失败, 请检查这些项目的安装文件路径!");
    ASSERT_NE(hReport, nullptr);
    const std::wstring percent = Runs32Bit() ? L"60.0% " : L"75.0% ";
    EXPECT_EQ(Text(::GetDlgItem(hReport, 1001)),
              L"正在安装..." + percent + medium.ticked[2] + L"\r\n");
    ClickCentre(::GetDlgItem(hReport, IDOK));

    EXPECT_NE(WaitFor([&] { return ::IsWindowVisible(launcher.hMain) ? launcher.hMain : nullptr; }),
              nullptr)
        << "the main window is back";
    EXPECT_EQ(launcher.WaitForExit(1000), STILL_ACTIVE);
    const auto ran = Ran(LogLines(medium.log));
    EXPECT_EQ(std::count_if(ran.begin(), ran.end(),
                            [](const std::wstring& l) { return l.rfind(L"cmdline", 0) == 0; }),
              2)
        << "one and three ran, two is missing, four is not ticked";
    ::PostMessageW(launcher.hMain, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(launcher.WaitForExit(10000), 0u);
}

}  // namespace
