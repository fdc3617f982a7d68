// The batch run's own cost per entry: an install run over N entries of an installer that
// exits at once, against the same N starts and waits in a bare loop, in one process. Prints
// figures; not a test.
//
//   batch_run_bench.exe [N...]   (default 20 100)
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "ui/batch/prog_dlg.h"

namespace {

std::wstring ToWindowsPath(const char* unixPath) {
    std::wstring path = L"Z:";
    for (const char* p = unixPath; *p; ++p) path += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
    return path;
}

double Now() {
    LARGE_INTEGER f, t;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

// N starts and waits as the shell does them, without any window.
double BareLoop(const std::wstring& exe, int n) {
    const double t0 = Now();
    for (int i = 0; i < n; ++i) {
        SHELLEXECUTEINFOW sei{};
        sei.cbSize = sizeof sei;
        sei.fMask = SEE_MASK_NOCLOSEPROCESS;
        sei.lpFile = exe.c_str();
        sei.lpParameters = L"/exit=0";
        sei.nShow = SW_SHOW;
        if (::ShellExecuteExW(&sei) && sei.hProcess) {
            ::WaitForSingleObject(sei.hProcess, INFINITE);
            ::CloseHandle(sei.hProcess);
        }
    }
    return Now() - t0;
}

// The whole run, from DoModal to its final message box or report (closed at once by a
// watcher).
double Run(const std::wstring& exe, int n) {
    CStringArray commands;
    for (int i = 0; i < n; ++i) commands.Add((exe + L" /exit=0").c_str());
    CWnd owner;
    owner.Attach(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   nullptr, nullptr));
    std::atomic<double> tEnd{0};
    std::atomic<bool> stop{false};
    std::thread watcher([&] {
        while (!stop) {
            HWND h = ::FindWindowW(nullptr, L"软件安装");
            if (!h) h = ::FindWindowW(nullptr, L"某些项目安装失败, 请检查这些项目的安装文件路径!");
            if (h) {
                tEnd = Now();
                ::PostMessageW(h, WM_COMMAND, IDOK, 0);
                return;
            }
            ::Sleep(1);
        }
    });
    double t0;
    {
        CProgDlg dlg(&owner);
        dlg.m_pEntries = &commands;
        t0 = Now();
        dlg.DoModal();
    }
    stop = true;
    watcher.join();
    ::DestroyWindow(owner.Detach());
    return tEnd - t0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&icc);
    const std::wstring exe = ToWindowsPath(BUNDOR_FAKE_INSTALLER);
    int sizes[8] = {20, 100};
    int count = 2;
    if (argc > 1) {
        count = 0;
        for (int i = 1; i < argc && count < 8; ++i) sizes[count++] = _wtoi(argv[i]);
    }
    std::printf("batch run: own cost per entry (target under 5 ms)\n");
    BareLoop(exe, 3);  // warm the shell and the file cache
    for (int i = 0; i < count; ++i) {
        const int n = sizes[i];
        const double bare = BareLoop(exe, n);
        const double run = Run(exe, n);
        const double missing = Run(L"Z:\\nowhere\\missing.exe", n);
        std::printf(
            "  %4d entries: run %8.1f ms, bare starts %8.1f ms, run's own %6.2f ms/entry "
            "(%.2f x bare)\n"
            "                missing files (no starts, titles, bar and report only): "
            "%.2f ms/entry\n",
            n, run, bare, (run - bare) / n, bare > 0 ? run / bare : 0.0, missing / n);
    }
    return 0;
}
