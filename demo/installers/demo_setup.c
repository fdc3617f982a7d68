/* A small installer for the demo medium. Its own file name (without ".exe") is the name of
 * the program it pretends to install. With /S it installs silently; otherwise it asks first.
 * Installing means writing "C:\Program Files\Bundor Demo\<name>\installed.txt" with the
 * command line it was given, so that a run can be checked afterwards. With /exit=N it fails
 * instead, as a real installer reports a failure: it installs nothing and ends with code N
 * (1603 is Windows Installer's "fatal error during installation"). */
#include <windows.h>
#include <shlobj.h>
#include <wchar.h>

static int HasSilentSwitch(const wchar_t* cmd) {
    return wcsstr(cmd, L"/S") != NULL || wcsstr(cmd, L"/s") != NULL ||
           wcsstr(cmd, L"/quiet") != NULL;
}

/* The N of "/exit=N", or 0. */
static int FailureCode(const wchar_t* args) {
    const wchar_t* at = wcsstr(args, L"/exit=");
    return at != NULL ? _wtoi(at + 6) : 0;
}

static int Install(const wchar_t* name, const wchar_t* cmdLine) {
    wchar_t dir[MAX_PATH];
    if (FAILED(SHGetFolderPathW(NULL, CSIDL_PROGRAM_FILES, NULL, 0, dir))) return 1;
    wchar_t path[MAX_PATH * 2];
    swprintf(path, MAX_PATH * 2, L"%ls\\Bundor Demo\\%ls", dir, name);
    if (SHCreateDirectoryExW(NULL, path, NULL) != ERROR_SUCCESS && GetLastError() != ERROR_ALREADY_EXISTS &&
        GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES)
        return 1;
    wcscat(path, L"\\installed.txt");
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, cmdLine, (DWORD)(wcslen(cmdLine) * sizeof(wchar_t)), &written, NULL);
    CloseHandle(file);
    Sleep(800); /* long enough to see the progress window at work */
    return 0;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE prev, PWSTR args, int show) {
    wchar_t self[MAX_PATH];
    DWORD len = GetModuleFileNameW(NULL, self, MAX_PATH);
    if (len == 0 || len >= MAX_PATH) return 1;
    wchar_t* name = wcsrchr(self, L'\\');
    name = name ? name + 1 : self;
    wchar_t* dot = wcsrchr(name, L'.');
    if (dot) *dot = 0;
    const wchar_t* cmdLine = GetCommandLineW();
    if (!HasSilentSwitch(args)) {
        wchar_t text[512];
        swprintf(text, 512, L"这是演示用的安装程序。\n\n点击“确定”安装 %ls，点击“取消”放弃。", name);
        if (MessageBoxW(NULL, text, name, MB_OKCANCEL | MB_ICONINFORMATION) != IDOK) return 1602;
    }
    const int failure = FailureCode(args);
    if (failure != 0) {
        Sleep(800); /* as long as a real install, so that the progress window shows it */
        return failure;
    }
    return Install(name, cmdLine);
}
