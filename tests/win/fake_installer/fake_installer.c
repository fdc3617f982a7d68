/* A stand-in installer for the tests: records how it was started and exits with a chosen code.
 *
 *   fake_installer.exe [/log=FILE] [/sleep=MS] [/exit=CODE] [anything else]
 *
 * Appends to FILE, in UTF-8, one line "cmdline: " with its whole command line and one line
 * "cwd: " with its current folder, then sleeps MS milliseconds, appends the line "end" and
 * exits with CODE. The "end" line lets a test tell whether a wait lasted until the end. */
#include <windows.h>
#include <shellapi.h>
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

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR cmdLine, int show) {
    (void)instance, (void)previous, (void)cmdLine, (void)show;
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const wchar_t* logPath = NULL;
    DWORD sleepMs = 0;
    int exitCode = 0;
    for (int i = 1; argv && i < argc; ++i) {
        const wchar_t* value;
        if ((value = ValueOf(argv[i], L"/log=")) != NULL) logPath = value;
        if ((value = ValueOf(argv[i], L"/sleep=")) != NULL) sleepMs = wcstoul(value, NULL, 10);
        if ((value = ValueOf(argv[i], L"/exit=")) != NULL) exitCode = _wtoi(value);
    }
    if (logPath) {
        wchar_t cwd[MAX_PATH] = L"";
        GetCurrentDirectoryW(MAX_PATH, cwd);
        Append(logPath, L"cmdline: ", GetCommandLineW());
        Append(logPath, L"cwd: ", cwd);
    }
    Sleep(sleepMs);
    if (logPath) Append(logPath, L"end", L"");
    return exitCode;
}
