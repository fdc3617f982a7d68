// The checker on the real Win32 file system under Wine: drives E: and F: are CD-ROM drives,
// G: a disk. Each test works in folders of its own, checker_win_test\<test> on each drive.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/file_reader.h"
#include "app/utf.h"
#include "checker/catalogue_check.h"
#include "checker/console_win32.h"
#include "checker/full_path.h"
#include "checker/json_report.h"
#include "tests/win/drive_test_support.h"

namespace {

// Checks a file as the program does: read it, take its folder as the exe folder.
CheckReport CheckFile(const std::wstring& path) {
    CheckInput input;
    input.strCatalogue = path;
    input.strExeFolder = FolderOfFile(path);
    input.bRead = ReadWholeFile(path, input.bytes);
    return CheckCatalogue(input, PlatformFileSystem());
}

const Finding* FindingOf(const CheckReport& report, FindingKind kind, int line) {
    for (const Finding& finding : report.findings) {
        if (finding.kind == kind && finding.nLine == line) return &finding;
    }
    return nullptr;
}

// The current folder, which a test may change, is given back after it.
class CheckerWinTest : public DriveFoldersTest {
protected:
    CheckerWinTest() : DriveFoldersTest(L"checker_win_test") {}
    void SetUp() override {
        DriveFoldersTest::SetUp();
        wchar_t current[MAX_PATH];
        GetCurrentDirectoryW(MAX_PATH, current);
        previous = current;
    }
    void TearDown() override {
        SetCurrentDirectoryW(previous.c_str());
        DriveFoldersTest::TearDown();
    }

    std::wstring previous;
};

TEST_F(CheckerWinTest, CdromCommandFoundOnFOnlyAndRealPackageSizes) {
    ASSERT_EQ(GetDriveTypeW(L"E:\\"), static_cast<UINT>(DRIVE_CDROM)) << "test drive E:";
    ASSERT_EQ(GetDriveTypeW(L"F:\\"), static_cast<UINT>(DRIVE_CDROM)) << "test drive F:";
    ASSERT_TRUE(CreateDirectoryW((L"F:\\" + relative + L"\\soft").c_str(), nullptr));
    ASSERT_TRUE(testmedium::WriteFile(L"F:\\" + relative + L"\\soft\\光驱 安装.exe", {}, 1048576));
    const std::wstring medium = disk + L"\\medium";
    ASSERT_TRUE(CreateDirectoryW(medium.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((medium + L"\\soft").c_str(), nullptr));
    ASSERT_TRUE(testmedium::WriteFile(medium + L"\\soft\\本地.exe", {}, 1572864));
    ASSERT_TRUE(testmedium::WriteFile(disk + L"\\big.iso", {}, (5LL << 30) + 7));
    const std::string rel = WideToUtf8(relative);
    ASSERT_TRUE(testmedium::WriteFile(
        medium + L"\\Bundor.INI",
        "[Type]\r\nSort1=软件\r\n[软件]\r\n[软件.List]\r\nList1=光驱\r\nList2=本地\r\n"
        "List3=大\r\n"
        "[光驱]\r\nWorkingDir=%CurrDir%\r\n"  // 8, 9
        "AutoInstall=cdrom:\\" +
            rel +
            "\\soft\\光驱 安装.exe /S\r\n"  // 10
            "ManualInstall=cdrom:\\" +
            rel +
            "\\soft\\光驱 安装.exe\r\n"  // 11
            "[本地]\r\nWorkingDir=%CurrDir%\r\nAutoInstall=soft\\本地.exe /S\r\n"
            "ManualInstall=soft\\本地.exe\r\n"
            "[大]\r\nAutoInstall=G:\\" +
            rel +
            "\\big.iso\r\n"
            "ManualInstall=G:\\" +
            rel + "\\big.iso\r\n"));

    // Run from the medium's folder with a relative name, as people do in a console there.
    ASSERT_TRUE(SetCurrentDirectoryW(medium.c_str()));
    const CheckReport report = CheckFile(L"Bundor.INI");
    EXPECT_EQ(report.strExeFolder, medium + L"\\");
    ASSERT_TRUE(report.bRead);
    EXPECT_EQ(ExitStatus(report), kExitClean);
    for (const Finding& finding : report.findings) {
        EXPECT_EQ(SeverityOf(finding.kind), Severity::Info)
            << WideToUtf8(FindingKindId(finding.kind));
    }
    for (const int line : {10, 11}) {
        const Finding* cdrom = FindingOf(report, FindingKind::CdromCommand, line);
        ASSERT_NE(cdrom, nullptr) << line;
        EXPECT_EQ(cdrom->items, std::vector<std::wstring>{L"F:\\"}) << "found on F: only";
    }

    ASSERT_EQ(report.view.categories.size(), 1u);
    const std::vector<EntryView>& entries = report.view.categories[0].entries;
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].autoInstall.strProgram, L"F:\\" + relative + L"\\soft\\光驱 安装.exe");
    EXPECT_EQ(entries[0].autoInstall.strParams, L"/S");
    EXPECT_EQ(entries[0].strSize, L"1.00 MB");
    EXPECT_EQ(entries[1].autoInstall.strProgram, medium + L"\\soft\\本地.exe");
    EXPECT_EQ(entries[1].strSize, L"1.50 MB");
    EXPECT_EQ(entries[2].nPackageBytes, (5ULL << 30) + 7);
    EXPECT_EQ(entries[2].strSize, L"5120.00 MB");
}

// The package is opened with no access rights: another program that holds it open, even
// without sharing, does not stop the measurement, but a folder cannot be opened that way.
TEST_F(CheckerWinTest, HeldPackageIsMeasuredAndFolderIsNot) {
    ASSERT_TRUE(testmedium::WriteFile(disk + L"\\held.exe", {}, 2 * 1048576));
    ASSERT_TRUE(CreateDirectoryW((disk + L"\\folder").c_str(), nullptr));
    ASSERT_TRUE(testmedium::WriteFile(
        disk + L"\\Bundor.INI",
        "[Type]\nSort1=A\n[A]\n[A.List]\nList1=held\nList2=folder\n"
        "[held]\nWorkingDir=%CurrDir%\nAutoInstall=held.exe\nManualInstall=held.exe\n"
        "[folder]\nWorkingDir=%CurrDir%\nAutoInstall=folder\nManualInstall=folder\n"));

    const HANDLE held = CreateFileW((disk + L"\\held.exe").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const CheckReport report = CheckFile(disk + L"\\Bundor.INI");
    CloseHandle(held);
    const std::vector<EntryView>& entries = report.view.categories.at(0).entries;
    EXPECT_EQ(entries.at(0).strSize, L"2.00 MB");
    EXPECT_EQ(FindingOf(report, FindingKind::PackageNotMeasurable, 10), nullptr);

    EXPECT_TRUE(entries.at(1).manualInstall.bFound) << "a folder counts as found";
    EXPECT_EQ(entries.at(1).strSize, L"0.00 MB");
    EXPECT_NE(FindingOf(report, FindingKind::PackageNotMeasurable, 14), nullptr);
    EXPECT_EQ(ExitStatus(report), kExitWarnings);
    uint64_t size = 1;
    EXPECT_FALSE(PlatformFileSystem().FileSize(disk + L"\\folder", size));
    EXPECT_EQ(size, 0u);
}

// Redirected output is UTF-8 with Windows line ends.
TEST_F(CheckerWinTest, OutputToAPipeIsUtf8WithCrLf) {
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, nullptr, 1 << 16));
    EXPECT_TRUE(WriteTextToHandle(writeEnd, L"目录文件：E:\\Bundor.INI\n结论\n"));
    CloseHandle(writeEnd);
    const std::string bytes = testmedium::ReadToEnd(readEnd);
    CloseHandle(readEnd);
    EXPECT_EQ(bytes, "目录文件：E:\\Bundor.INI\r\n结论\r\n");
}

// On a console the text goes in as wide characters, whatever the console's code page.
TEST_F(CheckerWinTest, OutputToAConsoleIsWideText) {
    HANDLE buffer = CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                              CONSOLE_TEXTMODE_BUFFER, nullptr);
    bool allocated = false;
    if (buffer == INVALID_HANDLE_VALUE) {
        // Wine gives a program whose output is redirected a console without a screen buffer
        // of its own; a new console has one. Its window is hidden at once, so that it covers
        // no window that other tests look at, and the console goes at the end of the test.
        // Standard output stays where it was redirected.
        FreeConsole();
        ASSERT_TRUE(AllocConsole()) << GetLastError();
        allocated = true;
        if (const HWND window = GetConsoleWindow()) ShowWindow(window, SW_HIDE);
        buffer = CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                           CONSOLE_TEXTMODE_BUFFER, nullptr);
    }
    ASSERT_NE(buffer, INVALID_HANDLE_VALUE) << GetLastError();
    const std::wstring text = L"错误：找不到“soft\\安装.exe”";
    EXPECT_TRUE(WriteTextToHandle(buffer, text));
    std::wstring back(text.size(), L' ');
    DWORD read = 0;
    const BOOL readBack = ReadConsoleOutputCharacterW(
        buffer, back.data(), static_cast<DWORD>(back.size()), COORD{0, 0}, &read);
    CloseHandle(buffer);
    if (allocated) FreeConsole();
    ASSERT_TRUE(readBack);
    back.resize(read);
    EXPECT_EQ(WideToUtf8(back), WideToUtf8(text));
}

}  // namespace
