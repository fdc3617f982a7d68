// The batch run's own cost per entry: an install run over N entries of an installer that
// exits at once, against the same N starts and waits in a bare loop, in one process. Prints
// figures; not a test.
//
//   batch_run_bench.exe [N...]   (default 20 100)
//
// Each figure is the best of three rounds; a round times the bare loop, the run and the run
// over missing files one after another, so that a busy machine weighs on all three alike. A
// warm-up run first pays what only the first window and the first final box of a process
// cost. Nothing polls while anything is timed: the end of a run is the creation of its final
// window, seen by a window-event hook, which also answers that window. A last, untimed run
// splits the user-interface thread's share of an entry into its title and its bar.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/win/main/test_medium.h"
#include "ui/batch/prog_dlg.h"

namespace {

constexpr int kRounds = 3;

double Now() {
    LARGE_INTEGER f, t;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

// N starts and waits as the shell's Execute does them (same call, same flags, same file and
// parameters), without any window.
double BareLoop(const std::wstring& exe, int n) {
    const double t0 = Now();
    for (int i = 0; i < n; ++i) {
        SHELLEXECUTEINFOW sei{};
        sei.cbSize = sizeof sei;
        sei.fMask = SEE_MASK_NOCLOSEPROCESS;
        sei.lpFile = exe.c_str();
        sei.lpParameters = L"/exit=0";
        sei.nShow = SW_SHOW;
        ::ShellExecuteExW(&sei);
        if (sei.hProcess) {
            ::WaitForSingleObject(sei.hProcess, INFINITE);
            ::CloseHandle(sei.hProcess);
        }
    }
    return Now() - t0;
}

DWORD g_mainThread = 0;
std::atomic<double> g_tEnd{0};

// The run's final window (its message box or its report) is the first dialog a thread other
// than ours creates. The moment is taken, and the window is answered as soon as its own
// loop runs.
void CALLBACK OnWindowCreated(HWINEVENTHOOK, DWORD, HWND hWnd, LONG idObject, LONG, DWORD,
                              DWORD) noexcept {
    if (idObject != OBJID_WINDOW || !hWnd || g_tEnd != 0) return;
    if (::GetWindowThreadProcessId(hWnd, nullptr) == g_mainThread) return;
    if (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) return;
    wchar_t cls[16] = {};
    ::GetClassNameW(hWnd, cls, 16);
    if (std::wstring(cls) != L"#32770") return;
    g_tEnd = Now();
    ::PostMessageW(hWnd, WM_COMMAND, IDOK, 0);
}

// The breakdown run: how long our thread spends on each title and each bar step the run
// sends, paint included, and how many paints the bar steps bring.
struct Handling {
    UINT message = 0;  // the one being handled, 0 between them
    int depth = 0;
    double since = 0;
    double title = 0, bar = 0;
    int titles = 0, bars = 0, barPaints = 0;
} g_handling;

LRESULT CALLBACK OnCallWndProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
    Handling& h = g_handling;
    if (h.depth == 0 && (cwp->message == WM_SETTEXT || cwp->message == PBM_DELTAPOS)) {
        h.message = cwp->message;
        h.since = Now();
    } else if (h.message == PBM_DELTAPOS && cwp->message == WM_PAINT) {
        ++h.barPaints;
    }
    if (h.message) ++h.depth;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK OnCallWndProcRet(int code, WPARAM wParam, LPARAM lParam) noexcept {
    Handling& h = g_handling;
    if (h.message && --h.depth == 0) {
        const double spent = Now() - h.since;
        if (h.message == WM_SETTEXT)
            h.title += spent, ++h.titles;
        else
            h.bar += spent, ++h.bars;
        h.message = 0;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The whole run, from DoModal to the creation of its final window.
double Run(const std::wstring& command, int n, bool breakdown = false) {
    CStringArray commands;
    for (int i = 0; i < n; ++i) commands.Add(command.c_str());
    CWnd owner;
    owner.Attach(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   nullptr, nullptr));
    g_tEnd = 0;
    const HWINEVENTHOOK hook =
        ::SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, OnWindowCreated,
                          ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    HHOOK hCall = nullptr, hRet = nullptr;
    if (breakdown) {
        g_handling = Handling{};
        hCall = ::SetWindowsHookExW(WH_CALLWNDPROC, OnCallWndProc, nullptr, g_mainThread);
        hRet = ::SetWindowsHookExW(WH_CALLWNDPROCRET, OnCallWndProcRet, nullptr, g_mainThread);
    }
    double t0;
    {
        CProgDlg dlg(&owner);
        dlg.m_pEntries = &commands;
        t0 = Now();
        dlg.DoModal();
    }
    if (hRet) ::UnhookWindowsHookEx(hRet);
    if (hCall) ::UnhookWindowsHookEx(hCall);
    if (hook) ::UnhookWinEvent(hook);
    ::DestroyWindow(owner.Detach());
    return g_tEnd - t0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&icc);
    g_mainThread = ::GetCurrentThreadId();
    const std::wstring exe = testmedium::FakeInstaller();
    const std::wstring command = exe + L" /exit=0";
    int sizes[8] = {20, 100};
    int count = 2;
    if (argc > 1) {
        count = 0;
        for (int i = 1; i < argc && count < 8; ++i) sizes[count++] = _wtoi(argv[i]);
    }
    std::printf("batch run: own cost per entry (target under 5 ms), best of %d rounds\n", kRounds);
    BareLoop(exe, 3);  // warm the shell and the file cache
    Run(command, 3);
    double empty = 1e30;
    for (int r = 0; r < kRounds; ++r) empty = std::min(empty, Run(exe, 0));
    std::printf("  a run without entries (window, thread, final box): %.1f ms\n", empty);
    for (int i = 0; i < count; ++i) {
        const int n = sizes[i];
        double bare = 1e30, run = 1e30, missing = 1e30;
        for (int r = 0; r < kRounds; ++r) {
            bare = std::min(bare, BareLoop(exe, n));
            run = std::min(run, Run(command, n));
            missing = std::min(missing, Run(L"Z:\\nowhere\\missing.exe", n));
        }
        std::printf(
            "  %4d entries: run %8.1f ms, bare starts %8.1f ms, run's own %6.2f ms/entry "
            "(%.2f x bare; %.2f ms/entry beside a run without entries)\n"
            "                missing files (no starts, titles, bar and report only): "
            "%.2f ms/entry\n",
            n, run, bare, (run - bare) / n, bare > 0 ? run / bare : 0.0, (run - bare - empty) / n,
            missing / n);
    }
    const int n = sizes[count > 0 ? count - 1 : 0];
    Run(command, n, true);
    const Handling& h = g_handling;
    std::printf(
        "  our thread per entry (untimed run of %d): title %.2f ms (%d), bar %.2f ms (%d, %d "
        "paints)\n",
        n, h.titles ? h.title / h.titles : 0.0, h.titles, h.bars ? h.bar / h.bars : 0.0, h.bars,
        h.barPaints);
    return 0;
}
