// The launcher's entry point: the one application object, run by the framework.
#include <windows.h>

#include "app/bundor_app.h"

namespace {

CBundorApp theApp;

// Run from a medium, the program loads system DLLs from System32 only, never from the medium
// or the current folder. Looked up at run time: Windows 7 without its update lacks it.
void RestrictDllSearch() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    const FARPROC proc = kernel ? ::GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr;
    if (proc) {
        reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(proc))(
            LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    RestrictDllSearch();
    return fw::RunApp();
}
