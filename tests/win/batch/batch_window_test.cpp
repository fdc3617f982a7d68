// Real batch runs under Wine: the progress window, real installer processes and real copies,
// the report window, all looked at from outside while the test's thread runs the modal loop.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/gallery/png_writer.h"
#include "tests/win/batch/batch_support.h"
#include "ui/batch/msg_dlg.h"
#include "ui/batch/prog_dlg.h"

namespace {

using namespace batchtest;

const wchar_t kInstallFailed[] = L"某些项目安装失败, 请检查这些项目的安装文件路径!";
const wchar_t kSaveFailed[] = L"某些项目保存失败, 请检查这些项目的文件路径!";

// The hidden window that owns the run's windows, as the main window does during a run.
struct Owner {
    Owner() {
        wnd.Attach(::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr,
                                     nullptr, nullptr, nullptr));
    }
    ~Owner() { ::DestroyWindow(wnd.Detach()); }
    CWnd wnd;
};

void Shot(HWND hWnd, const wchar_t* pszName) {
    ::RedrawWindow(hWnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    ::Sleep(100);
    ::CreateDirectoryW(WinePath(BUNDOR_SHOT_DIR).c_str(), nullptr);
    gallery::WritePng(WinePath(BUNDOR_SHOT_DIR) + L"\\" + pszName + L".png",
                      uitest::Pixels::FromWindowFrame(hWnd));
}

// The lines of the log that follow each "cmdline:" line of one installer, up to the next.
std::vector<std::wstring> Block(const std::vector<std::wstring>& log, const std::wstring& exe) {
    std::vector<std::wstring> block;
    bool in = false;
    for (const std::wstring& line : log) {
        if (line.rfind(L"cmdline: ", 0) == 0) in = line.find(exe) != std::wstring::npos;
        if (in) block.push_back(line);
    }
    return block;
}

bool Has(const std::vector<std::wstring>& lines, const std::wstring& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(BatchRunWindow, InstallRunOfFourWithOneMissingShowsEachStepAndReportsTheMissingOne) {
    TempFolder dir(L"bundor_batch_install");
    for (const wchar_t* name : {L"a.exe", L"c.exe", L"d.exe"})
        ASSERT_TRUE(::CopyFileW(FakeInstaller().c_str(), (dir.Path() + name).c_str(), FALSE));
    const std::wstring log = dir.Path() + L"log.txt";
    CStringArray commands;
    commands.Add((dir.Path() + L"a.exe /log=" + log + L" /peek /exit=3").c_str());
    commands.Add((dir.Path() + L"missing.exe /S").c_str());
    commands.Add((dir.Path() + L"c.exe /log=" + log + L" /peek /sleep=1500").c_str());
    commands.Add((dir.Path() + L"d.exe /log=" + log + L" /peek").c_str());

    Owner owner;
    auto* pDlg = new CProgDlg(&owner.wnd);
    EXPECT_EQ(g_pProgDlg, pDlg);
    pDlg->m_pEntries = &commands;
    pDlg->m_bExitWhenDone = 1;  // a failure keeps the program running all the same

    bool aliveAfterForcedClose = false;
    DWORD style = 0, exStyle = 0, barStyle = 0;
    RECT rcClient{}, rcBar{}, rcReport{};
    std::wstring body, footer;
    LONG editStyle = 0;
    INT_PTR result = 0;
    {
        Watcher watcher([&] {
            // While the third entry's installer runs: a forced close, Enter and Escape.
            WaitFor([&] { return Block(LogLines(log), L"c.exe").empty() ? nullptr : HWND(1); });
            const HWND hProg = pDlg->GetSafeHwnd();
            style = ::GetWindowLongW(hProg, GWL_STYLE);
            exStyle = ::GetWindowLongW(hProg, GWL_EXSTYLE);
            const HWND hBar = ::GetDlgItem(hProg, 1000);
            barStyle = ::GetWindowLongW(hBar, GWL_STYLE);
            ::GetClientRect(hProg, &rcClient);
            ::GetWindowRect(hBar, &rcBar);
            ::MapWindowPoints(nullptr, hProg, reinterpret_cast<POINT*>(&rcBar), 2);
            Shot(hProg, L"progress");
            ::SendMessageW(hProg, WM_CLOSE, 0, 0);
            ::PostMessageW(hProg, WM_KEYDOWN, VK_RETURN, 0);
            ::PostMessageW(hProg, WM_KEYDOWN, VK_ESCAPE, 0);
            ::Sleep(300);
            aliveAfterForcedClose = ::IsWindow(hProg) && ::IsWindowVisible(hProg);

            const HWND hReport = DialogTitled(kInstallFailed);
            if (!hReport) return;
            body = Text(::GetDlgItem(hReport, 1001));
            footer = Text(::GetDlgItem(hReport, 1004));
            editStyle = ::GetWindowLongW(::GetDlgItem(hReport, 1001), GWL_STYLE);
            ::GetWindowRect(hReport, &rcReport);
            Shot(hReport, L"install-report");
            ::PostMessageW(hReport, WM_KEYDOWN, VK_RETURN, 0);
        });
        result = pDlg->DoModal();
    }
    EXPECT_EQ(result, IDCANCEL);
    const CStringArray failed = pDlg->m_arrFailed;
    delete pDlg;
    EXPECT_EQ(g_pProgDlg, nullptr);

    // The window: a topmost tool window without system menu, 400 x 60, centred, 80 pixels
    // above the bottom of the work area; a smooth bar 7 pixels inside; still there after a
    // forced close, Enter and Escape while the run worked.
    EXPECT_TRUE(aliveAfterForcedClose);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), DWORD(WS_CAPTION));
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(barStyle & PBS_SMOOTH);
    EXPECT_EQ(rcBar.left, 7);
    EXPECT_EQ(rcBar.top, 7);
    EXPECT_EQ(rcBar.right, rcClient.right - 7);
    EXPECT_EQ(rcBar.bottom, rcClient.bottom - 7);
    RECT rcWork{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    const int left = rcWork.left + (rcWork.right - rcWork.left - 400) / 2;
    wchar_t where[64];
    swprintf(where, 64, L"rect: %d %ld %d %ld", left, rcWork.bottom - 80, left + 400,
             rcWork.bottom - 20);

    // Each installer ran once, in order, with its parameters, and saw the title naming it and
    // the bar counting it while it ran; the exit code 3 of the first is no failure.
    const auto lines = LogLines(log);
    std::vector<std::wstring> order;
    for (const std::wstring& line : lines)
        if (line.rfind(L"cmdline: ", 0) == 0) order.push_back(line);
    ASSERT_EQ(order.size(), 3u);
    EXPECT_NE(order[0].find(L"a.exe\" /log=" + log + L" /peek /exit=3"), std::wstring::npos)
        << order[0];
    EXPECT_NE(order[1].find(L"c.exe\" /log="), std::wstring::npos);
    EXPECT_NE(order[2].find(L"d.exe\" /log="), std::wstring::npos);
    wchar_t cwd[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, cwd);
    const struct {
        const wchar_t* exe;
        const wchar_t* title;
        const wchar_t* bar;
    } steps[] = {{L"a.exe", L"正在安装...25.0% ", L"bar: 1/4"},
                 {L"c.exe", L"正在安装...75.0% ", L"bar: 3/4"},
                 {L"d.exe", L"正在安装...100.0% ", L"bar: 4/4"}};
    for (const auto& step : steps) {
        const auto block = Block(lines, step.exe);
        EXPECT_TRUE(Has(block, std::wstring(L"progress: ") + step.title + dir.Path() + step.exe))
            << step.exe;
        EXPECT_TRUE(Has(block, step.bar)) << step.exe;
        EXPECT_TRUE(Has(block, where)) << step.exe;
        EXPECT_TRUE(Has(block, L"topmost: 1")) << step.exe;
        EXPECT_TRUE(Has(block, std::wstring(L"cwd: ") + cwd)) << step.exe;
        EXPECT_TRUE(Has(block, L"end")) << step.exe << " was waited for";
    }

    // The report: exactly the title of the missing entry, one line, no footer; read-only,
    // scrolling both ways, centred on the screen.
    const std::wstring record = L"正在安装...50.0% " + dir.Path() + L"missing.exe /S";
    ASSERT_EQ(failed.GetSize(), 1);
    EXPECT_EQ(std::wstring(failed[0]), record);
    EXPECT_EQ(body, record + L"\r\n");
    EXPECT_EQ(footer, L"");
    EXPECT_TRUE(editStyle & ES_READONLY);
    EXPECT_EQ(editStyle & (WS_HSCROLL | WS_VSCROLL), LONG(WS_HSCROLL | WS_VSCROLL));
    const int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_LE(std::abs(rcReport.left + rcReport.right - screenW), 2);
    EXPECT_LE(std::abs(rcReport.top + rcReport.bottom - screenH), 40);  // work area, taskbar
}

TEST(BatchRunWindow, SaveRunsOverwriteAnOlderCopyAndReportMissingSourcesAndFolders) {
    TempFolder src(L"bundor_batch_src");
    TempFolder dest(L"bundor_batch_dest");
    WriteFile(src.Path() + L"a.exe", "new");
    WriteFile(dest.Path() + L"a.exe", "older");

    struct Outcome {
        INT_PTR result = 0;
        std::wstring caption, body, footer;
        CStringArray failed;
    };
    // Runs a save run and answers its final window, whichever it is.
    const auto save = [](CStringArray& commands, const std::wstring& folder) {
        Outcome out;
        Owner owner;
        CProgDlg dlg(&owner.wnd);
        dlg.m_nMode = 1;
        dlg.m_pEntries = &commands;
        dlg.m_strSaveDir = folder.c_str();
        {
            Watcher watcher([&] {
                const HWND hFinal = WaitFor([] {
                    for (const wchar_t* t : {kSaveFailed, L"保存安装包"})
                        if (const HWND h = ::FindWindowW(L"#32770", t)) return h;
                    return HWND(nullptr);
                });
                if (!hFinal) return;
                out.caption = Text(hFinal);
                out.body = Text(::GetDlgItem(hFinal, 1001));
                out.footer = Text(::GetDlgItem(hFinal, 1004));
                if (out.caption == kSaveFailed) Shot(hFinal, L"save-report");
                ::PostMessageW(hFinal, WM_KEYDOWN, VK_RETURN, 0);
            });
            out.result = dlg.DoModal();
        }
        out.failed = dlg.m_arrFailed;
        return out;
    };

    CStringArray commands;
    commands.Add((src.Path() + L"a.exe /S").c_str());
    commands.Add((src.Path() + L"gone.exe").c_str());
    const Outcome overwrite = save(commands, dest.Path());
    EXPECT_EQ(overwrite.result, IDCANCEL);
    EXPECT_EQ(ReadText(dest.Path() + L"a.exe"), "new");
    EXPECT_EQ(overwrite.caption, kSaveFailed);
    const std::wstring gone = L"正在保存...100.0% " + src.Path() + L"gone.exe";
    EXPECT_EQ(overwrite.body, gone + L"\r\n");
    EXPECT_EQ(overwrite.footer, L"文件保存路径: " + dest.Path());

    // A folder that does not exist: the copy fails and nothing takes the folder's name.
    CStringArray one;
    one.Add((src.Path() + L"a.exe").c_str());
    const std::wstring nowhere = dest.Path() + L"nowhere";
    const Outcome missingFolder = save(one, nowhere);
    EXPECT_EQ(missingFolder.caption, kSaveFailed);
    ASSERT_EQ(missingFolder.failed.GetSize(), 1);
    EXPECT_EQ(::GetFileAttributesW(nowhere.c_str()), INVALID_FILE_ATTRIBUTES);

    const Outcome clean = save(one, dest.Path());
    EXPECT_EQ(clean.caption, L"保存安装包");
    EXPECT_EQ(clean.failed.GetSize(), 0);
}

TEST(BatchRunWindow, TheReportAnswersOkOnlyForOkAndEnter) {
    const struct {
        UINT msg;
        WPARAM wParam;
        INT_PTR expected;
    } closes[] = {{WM_KEYDOWN, VK_RETURN, IDOK},
                  {WM_KEYDOWN, VK_ESCAPE, IDCANCEL},
                  {WM_SYSCOMMAND, SC_CLOSE, IDCANCEL},
                  {WM_COMMAND, IDCANCEL, IDCANCEL},
                  {WM_COMMAND, IDOK, IDOK}};
    for (const auto& close : closes) {
        Watcher watcher([&] {
            if (const HWND h = DialogTitled(L"您确定要开始保存如下软件么?"))
                ::PostMessageW(h, close.msg, close.wParam, 0);
        });
        EXPECT_EQ(ShowMsgDlg(L"您确定要开始保存如下软件么?", L"a\r\nb\r\n", nullptr),
                  close.expected)
            << close.msg << " " << close.wParam;
    }
}

// The exit path needs a process of its own: it ends the process.
TEST(BatchRunWindow, ACleanInstallRunAskedToEndTheProgramClosesTheOwnerAndExitsWithZero) {
    TempFolder dir(L"bundor_batch_exit");
    const std::wstring log = dir.Path() + L"log.txt";
    std::wstring cmd = L"\"" + WinePath(BUNDOR_EXIT_PROBE) + L"\" \"" + log + L"\" \"" +
                       FakeInstaller() + L" /log=" + log + L"\"";
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &si, &pi));
    ASSERT_EQ(::WaitForSingleObject(pi.hProcess, 30000), WAIT_OBJECT_0);
    DWORD code = 99;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    EXPECT_EQ(code, 0u);
    const auto lines = LogLines(log);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), L"end"), 1);
    EXPECT_TRUE(Has(lines, L"owner: WM_CLOSE"));
    EXPECT_FALSE(Has(lines, L"probe: the run returned"));
}

// A progress window whose worker thread cannot start, as when the process is out of threads.
class NoThreadProgDlg : public CProgDlg {
public:
    using CProgDlg::CProgDlg;

protected:
    BOOL StartWork() override { return FALSE; }
};

TEST(BatchRunWindow, ARunWhoseThreadCannotStartSaysSoAndTheWindowCloses) {
    CStringArray commands;
    commands.Add(L"C:\\windows\\notepad.exe");
    Owner owner;
    NoThreadProgDlg dlg(&owner.wnd);
    dlg.m_pEntries = &commands;
    std::wstring text;
    INT_PTR result = 0;
    {
        Watcher watcher([&] {
            const HWND hBox = DialogTitled(L"软件安装");
            if (!hBox) return;
            text = Text(::GetDlgItem(hBox, 0xFFFF));
            ::PostMessageW(hBox, WM_COMMAND, IDOK, 0);
        });
        result = dlg.DoModal();
    }
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(text, L"无法开始处理所选软件 (系统资源不足), 请关闭一些程序后重试!");
    EXPECT_EQ(dlg.m_arrFailed.GetSize(), 0);
}

}  // namespace
