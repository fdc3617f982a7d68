// The shipped launcher, trusted with a run: one run at a time whatever input arrives, exit
// codes read and reported, a hung installer left behind after its time, a run log, and the
// current folder kept across a save-as dialog. Started from the CD-ROM drive and driven from
// outside with real keys and clicks.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/e2e_support.h"

namespace {

using namespace e2e;

const std::wstring kLog = kMedium + L"trust.log";

// Types text as a person would, character by character.
void TypeText(const std::wstring& text) {
    for (const wchar_t c : text) {
        INPUT in[2]{};
        for (INPUT& i : in) {
            i.type = INPUT_KEYBOARD;
            i.ki.wScan = c;
            i.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        ::SendInput(2, in, sizeof(INPUT));
    }
}

// An entry of the trust catalogue: a stand-in installer that logs, sleeps and exits.
std::wstring Entry(const wchar_t* name, const wchar_t* file, const std::wstring& args,
                   bool relative = false) {
    const std::wstring command = L"soft\\" + std::wstring(file) + L" /log=" + kLog + L" " + args;
    return L"[" + std::wstring(name) + L"]\r\n" + (relative ? L"" : L"WorkingDir=%CurrDir%\r\n") +
           L"AutoInstall=" + command + L"\r\nManualInstall=soft\\" + file + L"\r\nChecked=1\r\n";
}

std::wstring Catalogue(const std::wstring& config, const std::vector<const wchar_t*>& names,
                       const std::wstring& entries) {
    std::wstring ini =
        L"[Config]\r\nTitleText=信任\r\n" + config + L"[Type]\r\nSort1=甲\r\n[甲.List]\r\n";
    for (size_t i = 0; i < names.size(); ++i)
        ini += L"List" + std::to_wstring(i + 1) + L"=" + names[i] + L"\r\n";
    return ini + entries;
}

class LauncherTrust : public MediumTest {
protected:
    LauncherTrust() : MediumTest(kLog) {}
};

TEST_F(LauncherTrust, AltIDuringTheCountdownRunsEveryTickedInstallerOnceOneAfterAnother) {
    WriteMedium(Catalogue(L"Waitime=3\r\n", {L"一", L"二", L"三"},
                          Entry(L"一", L"one.exe", L"/sleep=2500") +
                              Entry(L"二", L"two.exe", L"/sleep=2500") +
                              Entry(L"三", L"three.exe", L"/sleep=2500")),
                {L"one.exe", L"two.exe", L"three.exe"});
    Launcher launcher(L"信任");
    ASSERT_NE(launcher.hMain, nullptr);
    launcher.Press({VK_MENU, 'I'});

    // Alt+I was a person's command: the run ends with its message, not with the program, and
    // the countdown, which would have reached zero during the first installer, started none.
    const HWND hDone = DialogTitled(L"软件安装");
    ASSERT_NE(hDone, nullptr);
    std::vector<std::wstring> steps;
    for (const std::wstring& line : LogLines(kLog))
        if (line.rfind(L"cmdline: ", 0) == 0 || line == L"end")
            steps.push_back(line == L"end" ? L"end" : line.substr(line.find(L"soft\\") + 5, 3));
    EXPECT_EQ(steps, (std::vector<std::wstring>{L"one", L"end", L"two", L"end", L"thr", L"end"}));
    EXPECT_EQ(Text(::GetDlgItem(hDone, 0xFFFF)), L"所有项目安装完毕!");
    ::SetForegroundWindow(hDone);
    uitest::Keys({VK_RETURN});
    EXPECT_NE(WaitFor([&] { return ::IsWindowVisible(launcher.hMain) ? launcher.hMain : nullptr; }),
              nullptr);
    EXPECT_EQ(launcher.WaitForExit(1000), STILL_ACTIVE);
    ::PostMessageW(launcher.hMain, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(launcher.WaitForExit(10000), 0u);
}

TEST_F(LauncherTrust, ACountdownRunTellsItsFailuresThroughTheExitCodeAndTheLog) {
    wchar_t temp[MAX_PATH] = L"";
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring runLog = std::wstring(temp) + L"bundor-e2e-run.log";
    ::DeleteFileW(runLog.c_str());
    WriteMedium(Catalogue(L"Waitime=1\r\nExitAfterCountdown=1\r\nSuccessCodes=0,3010\r\n"
                          L"LogFile=%TEMP%\\bundor-e2e-run.log\r\n",
                          {L"好", L"坏", L"重启"},
                          Entry(L"好", L"one.exe", L"") + Entry(L"坏", L"two.exe", L"/exit=1603") +
                              Entry(L"重启", L"three.exe", L"/exit=3010")),
                {L"one.exe", L"two.exe", L"three.exe"});
    Launcher launcher(L"信任");
    ASSERT_NE(launcher.hMain, nullptr);
    // One failure and no report: the program ends by itself with the number of failures.
    EXPECT_EQ(launcher.WaitForExit(60000), 1u);
    EXPECT_EQ(LinesStartingWith(LogLines(kLog), L"cmdline: ").size(), 3u);

    // One line per entry: date and time, kind, command, file, outcome, seconds.
    const std::vector<std::wstring> lines = LogLines(runLog);
    ASSERT_EQ(lines.size(), 3u) << ReadText(runLog);
    const wchar_t* outcomes[] = {L"exit 0", L"exit 1603 (failure)", L"exit 3010"};
    const wchar_t* files[] = {L"one.exe", L"two.exe", L"three.exe"};
    for (size_t i = 0; i < lines.size(); ++i) {
        std::vector<std::wstring> fields;
        size_t from = 0;
        for (size_t at; (at = lines[i].find(L'\t', from)) != std::wstring::npos; from = at + 1)
            fields.push_back(lines[i].substr(from, at - from));
        fields.push_back(lines[i].substr(from));
        ASSERT_EQ(fields.size(), 6u) << lines[i];
        EXPECT_EQ(fields[0].size(), 19u) << fields[0];  // 2026-12-09 10:15:02
        EXPECT_EQ(fields[1], L"batch-install");
        EXPECT_EQ(fields[2].rfind(kMedium + L"soft\\" + files[i] + L" /log=", 0), 0u) << fields[2];
        EXPECT_EQ(fields[3], kMedium + L"soft\\" + files[i]);
        EXPECT_EQ(fields[4], outcomes[i]);
        EXPECT_EQ(fields[5].back(), L'\r');
    }
}

TEST_F(LauncherTrust, AnInstallerThatHangsIsLeftRunningAfterItsTimeoutAndTheRunGoesOn) {
    WriteMedium(Catalogue(L"Waitime=1\r\nExitAfterCountdown=1\r\n", {L"挂起", L"之后"},
                          Entry(L"挂起", L"hang.exe", L"/sleep=30000 /pid") + L"Timeout=2\r\n" +
                              Entry(L"之后", L"one.exe", L"")),
                {L"hang.exe", L"one.exe"});
    const ULONGLONG began = ::GetTickCount64();
    Launcher launcher(L"信任");
    ASSERT_NE(launcher.hMain, nullptr);
    EXPECT_EQ(launcher.WaitForExit(25000), 1u) << "the hung installer counts as one failure";
    const ULONGLONG took = ::GetTickCount64() - began;
    EXPECT_LT(took, 15000u) << "the run waited for the hung installer";

    const std::vector<std::wstring> log = LogLines(kLog);
    ASSERT_EQ(LinesStartingWith(log, L"cmdline: ").size(), 2u);
    const std::vector<std::wstring> pids = LinesStartingWith(log, L"pid: ");
    ASSERT_EQ(pids.size(), 1u);
    // Left running, not ended: it may be waiting for a person. TearDown ends it.
    const HANDLE hung = ::OpenProcess(SYNCHRONIZE, FALSE, std::stoul(pids[0]));
    ASSERT_NE(hung, nullptr);
    EXPECT_EQ(::WaitForSingleObject(hung, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    ::CloseHandle(hung);
}

TEST_F(LauncherTrust, ARowLinkSaveKeepsTheCurrentFolderForTheNextRelativeCommand) {
    // No WorkingDir: the command is found from the current folder, the medium's.
    WriteMedium(Catalogue(L"", {L"相对"}, Entry(L"相对", L"one.exe", L"", true)), {L"one.exe"});
    const std::wstring copy = L"C:\\bundor-e2e-saved.exe";
    ::DeleteFileW(copy.c_str());
    Launcher launcher(L"信任");
    ASSERT_NE(launcher.hMain, nullptr);
    const HWND hList = ::GetDlgItem(launcher.hMain, 1007);
    ASSERT_NE(hList, nullptr);
    ::SetForegroundWindow(launcher.hMain);
    // Row 0 is the category's header, row 1 the entry; rows are 65 pixels high.
    POINT save{}, install{};
    ASSERT_TRUE(FindLink(hList, 65, 3, save));
    ASSERT_TRUE(FindLink(hList, 65, 2, install));

    ClickLink(save);
    const HWND hSaveAs = WaitFor([&] {
        for (HWND h = ::GetTopWindow(nullptr); h; h = ::GetWindow(h, GW_HWNDNEXT))
            if (::GetWindow(h, GW_OWNER) == launcher.hMain && ::IsWindowVisible(h)) return h;
        return HWND{};
    });
    ASSERT_NE(hSaveAs, nullptr);
    ::Sleep(500);
    ::SetForegroundWindow(hSaveAs);
    uitest::Keys({VK_CONTROL, 'A'});
    TypeText(copy);
    uitest::Keys({VK_RETURN});
    const HWND hSaved = DialogTitled(L"保存安装包");
    ASSERT_NE(hSaved, nullptr);
    EXPECT_EQ(Text(::GetDlgItem(hSaved, 0xFFFF)), L"安装文件保存完毕!\n\n文件保存路径: " + copy);
    EXPECT_NE(::GetFileAttributesW(copy.c_str()), INVALID_FILE_ATTRIBUTES);
    ::SetForegroundWindow(hSaved);
    uitest::Keys({VK_RETURN});
    ::Sleep(500);

    // The same entry's install link still finds its installer, and starts it in the
    // medium's folder.
    ClickLink(install);
    EXPECT_NE(WaitFor([&] { return LogLines(kLog).size() >= 2 ? launcher.hMain : nullptr; }),
              nullptr)
        << "the installer did not start";
    const std::vector<std::wstring> log = LogLines(kLog);
    EXPECT_EQ(LinesStartingWith(log, L"cwd: "), std::vector<std::wstring>{L"E:\\bundor_e2e"});
    EXPECT_EQ(::FindWindowW(L"#32770", L"自动安装"), nullptr) << "a not-found message appeared";
    ::DeleteFileW(copy.c_str());
    ::PostMessageW(launcher.hMain, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(launcher.WaitForExit(10000), 0u);
}

}  // namespace
