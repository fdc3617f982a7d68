// The shipped launcher started as a person starts it from a medium: copied in as Setup.exe, it
// reads Setup.INI beside it, or opens its window with the default title and no category when
// there is none; Enter and Escape leave the window open, the close command ends the program
// with exit code 0.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/win/main/blocking_pipe.h"
#include "tests/win/main/main_test_support.h"

namespace {

// Starts the program and waits until its main window is up and idle.
class Launcher {
public:
    explicit Launcher(const std::wstring& exe) {
        STARTUPINFOW si{};
        si.cb = sizeof si;
        std::wstring command = L"\"" + exe + L"\"";
        const std::wstring folder = exe.substr(0, exe.rfind(L'\\') + 1);
        if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              folder.c_str(), &si, &m_pi))
            return;
        ::WaitForInputIdle(m_pi.hProcess, 10000);
        for (int i = 0; i < 200 && !m_hWnd; ++i) {
            m_hWnd = testmedium::FindShownDialog(m_pi.dwProcessId);
            if (!m_hWnd) ::Sleep(50);
        }
    }
    ~Launcher() {
        if (!m_pi.hProcess) return;
        if (::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT)
            ::TerminateProcess(m_pi.hProcess, 99);
        ::CloseHandle(m_pi.hThread);
        ::CloseHandle(m_pi.hProcess);
    }
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    HWND Window() const { return m_hWnd; }
    // The exit code once the process ended within the time, else STILL_ACTIVE.
    DWORD WaitForExit(DWORD ms) const {
        DWORD code = STILL_ACTIVE;
        if (::WaitForSingleObject(m_pi.hProcess, ms) == WAIT_OBJECT_0)
            ::GetExitCodeProcess(m_pi.hProcess, &code);
        return code;
    }
    bool Running() const { return ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT; }

private:
    PROCESS_INFORMATION m_pi{};
    HWND m_hWnd = nullptr;
};

std::wstring WindowText(HWND hWnd) {
    wchar_t text[128] = {};
    ::GetWindowTextW(hWnd, text, 128);
    return text;
}

BOOL CALLBACK CountStatic(HWND hWnd, LPARAM lParam) {
    wchar_t cls[16] = {};
    ::GetClassNameW(hWnd, cls, 16);
    if (::lstrcmpiW(cls, L"Static") == 0) ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

TEST(Launcher, WithoutCatalogueAndWithItsOwn) {
    const maintest::TempFolder medium(L"bundor_launcher_medium");
    const std::wstring exe = medium.Path() + L"Setup.exe";
    ASSERT_TRUE(::CopyFileW(testmedium::WinePath(BUNDOR_LAUNCHER).c_str(), exe.c_str(), FALSE));
    {
        const Launcher launcher(exe);
        const HWND hWnd = launcher.Window();
        ASSERT_NE(hWnd, nullptr);
        EXPECT_EQ(WindowText(hWnd), L"软件安装管理器");
        RECT rc{};
        ::GetWindowRect(hWnd, &rc);
        EXPECT_EQ(rc.right - rc.left, 800);
        EXPECT_EQ(rc.bottom - rc.top, 500);
        const HWND hCategories = ::GetDlgItem(hWnd, 1000);
        EXPECT_EQ(::SendMessageW(hCategories, LVM_GETITEMCOUNT, 0, 0), 1);
        int nLabels = 0;
        ::EnumChildWindows(hWnd, CountStatic, reinterpret_cast<LPARAM>(&nLabels));
        EXPECT_EQ(nLabels, 0) << "no countdown labels";
        // Enter and Escape reach the dialog manager as key presses and close nothing.
        for (WPARAM vk : {VK_RETURN, VK_ESCAPE}) {
            ::PostMessageW(hCategories, WM_KEYDOWN, vk, 1);
            ::PostMessageW(hCategories, WM_KEYUP, vk, 0xC0000001);
        }
        ::Sleep(500);
        EXPECT_TRUE(launcher.Running());
        EXPECT_TRUE(::IsWindowVisible(hWnd));
        ::PostMessageW(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(launcher.WaitForExit(10000), 0u);
    }
    // The catalogue is the file named after the program, beside it.
    ASSERT_TRUE(medium.WriteFile(L"Setup.INI",
                                 "\xEF\xBB\xBF[Config]\r\nTitleText=装机光盘\r\nWaitime=5\r\n"));
    const Launcher launcher(exe);
    ASSERT_NE(launcher.Window(), nullptr);
    EXPECT_EQ(WindowText(launcher.Window()), L"装机光盘");
    int nLabels = 0;
    ::EnumChildWindows(launcher.Window(), CountStatic, reinterpret_cast<LPARAM>(&nLabels));
    EXPECT_EQ(nLabels, 2) << "the countdown labels";
    ::PostMessageW(launcher.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(launcher.WaitForExit(10000), 0u);
}

// An entry's icon is a pipe that never answers: the window still appears, and the close
// command still ends the process at once, its icon reader in the middle of the read.
TEST(Launcher, EndsWhileAnIconReadIsBlocked) {
    testpipe::BlockingPipe pipe(L"bundor_launcher_blocked_icon", 30000);
    ASSERT_TRUE(pipe.IsOpen());
    const maintest::TempFolder medium(L"bundor_launcher_blocked");
    const std::wstring exe = medium.Path() + L"Setup.exe";
    ASSERT_TRUE(::CopyFileW(testmedium::WinePath(BUNDOR_LAUNCHER).c_str(), exe.c_str(), FALSE));
    const std::string icon(pipe.Path().begin(), pipe.Path().end());  // ASCII
    ASSERT_TRUE(medium.WriteFile(L"Setup.INI",
                                 "[Type]\r\nSort1=Tools\r\n[Tools.List]\r\nList1=One\r\n"
                                 "[One]\r\nIconPath=" +
                                     icon + "\r\n"));
    const Launcher launcher(exe);
    ASSERT_NE(launcher.Window(), nullptr);
    ::PostMessageW(launcher.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(launcher.WaitForExit(5000), 0u) << "the process waited for the read";
}

}  // namespace
