// A process of its own for the exit path of a batch run: an owner window that logs its
// WM_CLOSE, and a progress window that runs one command with m_bExitWhenDone set.
//
//   batch_exit_probe.exe LOG COMMAND
//
// The run should end the process with exit code 0; if it comes back, the probe says so in
// the log and exits with 7.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ui/batch/prog_dlg.h"

namespace {

std::wstring g_log;

void Log(const char* line) {
    const HANDLE h =
        ::CreateFileW(g_log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(h, line, static_cast<DWORD>(strlen(line)), &written, nullptr);
    ::WriteFile(h, "\n", 1, &written, nullptr);
    ::CloseHandle(h);
}

LRESULT CALLBACK OwnerProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOSE) {
        Log("owner: WM_CLOSE");
        return 0;
    }
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    g_log = argv[1];
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&icc);
    WNDCLASSW wc{};
    wc.lpfnWndProc = OwnerProc;
    wc.lpszClassName = L"BundorProbeOwner";
    ::RegisterClassW(&wc);
    CWnd owner;
    owner.Attach(::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                   nullptr, nullptr, nullptr));
    CStringArray commands;
    commands.Add(argv[2]);
    CProgDlg dlg(&owner);
    dlg.m_pEntries = &commands;
    dlg.m_bExitWhenDone = 1;
    dlg.DoModal();
    Log("probe: the run returned");
    return 7;
}
