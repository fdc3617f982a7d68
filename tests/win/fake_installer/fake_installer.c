/* A stand-in installer for the tests: records how it was started and exits with a chosen code.
 *
 *   fake_installer.exe [/log=FILE] [/sleep=MS] [/exit=CODE] [/peek] [/exists=PATH] [/pid] [...]
 *
 * Appends to FILE, in UTF-8, one line "cmdline: " with its whole command line and one line
 * "cwd: " with its current folder, then sleeps MS milliseconds, appends the line "end" and
 * exits with CODE. The "end" line lets a test tell whether a wait lasted until the end.
 * With /peek it also logs what the launcher's progress window shows while it runs, as seen
 * from outside: "progress: TITLE", "bar: POS/HIGH", "rect: LEFT TOP RIGHT BOTTOM", "topmost: 0|1"
 * (or "progress: none"). With /exists it logs "exists: 1" or "exists: 0" for PATH: whether
 * an installer that ran before it really installed its file. With /pid it logs "pid: N", its
 * process id, so that a test can end an installer that it left running. */
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>

static const wchar_t* ValueOf(const wchar_t* arg, const wchar_t* key) {
    size_t n = wcslen(key);
    return _wcsnicmp(arg, key, n) == 0 ? arg + n : NULL;
}

static void Append(const wchar_t* logPath, const wchar_t* prefix, const wchar_t* text) {
    HANDLE file = CreateFileW(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    const wchar_t* parts[3] = {prefix, text, L"\n"};
    for (int i = 0; i < 3; ++i) {
        char bytes[8192];
        int len = WideCharToMultiByte(CP_UTF8, 0, parts[i], -1, bytes, sizeof bytes, NULL, NULL);
        DWORD written;
        if (len > 1) WriteFile(file, bytes, (DWORD)(len - 1), &written, NULL);
    }
    CloseHandle(file);
}

/* The progress window: a dialog whose title starts with "正在" (正在安装... or 正在保存...). */
static BOOL CALLBACK FindProgress(HWND hWnd, LPARAM lParam) {
    wchar_t cls[32] = L"", title[8] = L"";
    GetClassNameW(hWnd, cls, 32);
    GetWindowTextW(hWnd, title, 8);
    if (wcscmp(cls, L"#32770") == 0 && wcsncmp(title, L"\x6B63\x5728", 2) == 0) {
        *(HWND*)lParam = hWnd;
        return FALSE;
    }
    return TRUE;
}

static void Peek(const wchar_t* logPath) {
    HWND dlg = NULL;
    EnumWindows(FindProgress, (LPARAM)&dlg);
    if (!dlg) {
        Append(logPath, L"progress: ", L"none");
        return;
    }
    wchar_t text[1024] = L"";
    GetWindowTextW(dlg, text, 1024);
    Append(logPath, L"progress: ", text);
    HWND bar = GetDlgItem(dlg, 1000);
    swprintf(text, 1024, L"%d/%d", (int)SendMessageW(bar, PBM_GETPOS, 0, 0),
             (int)SendMessageW(bar, PBM_GETRANGE, FALSE, 0));
    Append(logPath, L"bar: ", text);
    RECT rc;
    GetWindowRect(dlg, &rc);
    swprintf(text, 1024, L"%ld %ld %ld %ld", rc.left, rc.top, rc.right, rc.bottom);
    Append(logPath, L"rect: ", text);
    Append(logPath, L"topmost: ", (GetWindowLongW(dlg, GWL_EXSTYLE) & WS_EX_TOPMOST) ? L"1" : L"0");
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR cmdLine, int show) {
    (void)instance, (void)previous, (void)cmdLine, (void)show;
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const wchar_t* logPath = NULL;
    DWORD sleepMs = 0;
    int exitCode = 0;
    int peek = 0;
    int pid = 0;
    const wchar_t* exists = NULL;
    for (int i = 1; argv && i < argc; ++i) {
        const wchar_t* value;
        if ((value = ValueOf(argv[i], L"/log=")) != NULL) logPath = value;
        if ((value = ValueOf(argv[i], L"/sleep=")) != NULL) sleepMs = wcstoul(value, NULL, 10);
        if ((value = ValueOf(argv[i], L"/exit=")) != NULL) exitCode = _wtoi(value);
        if (_wcsicmp(argv[i], L"/peek") == 0) peek = 1;
        if (_wcsicmp(argv[i], L"/pid") == 0) pid = 1;
        if ((value = ValueOf(argv[i], L"/exists=")) != NULL) exists = value;
    }
    if (logPath) {
        wchar_t cwd[MAX_PATH] = L"";
        GetCurrentDirectoryW(MAX_PATH, cwd);
        Append(logPath, L"cmdline: ", GetCommandLineW());
        Append(logPath, L"cwd: ", cwd);
        if (peek) Peek(logPath);
        if (pid) {
            wchar_t id[16];
            swprintf(id, 16, L"%lu", GetCurrentProcessId());
            Append(logPath, L"pid: ", id);
        }
        if (exists)
            Append(logPath, L"exists: ",
                   GetFileAttributesW(exists) != INVALID_FILE_ATTRIBUTES ? L"1" : L"0");
    }
    Sleep(sleepMs);
    if (logPath) Append(logPath, L"end", L"");
    return exitCode;
}
