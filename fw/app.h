// CWinApp: the one application object, and the start-up helper that runs it.
#pragma once

#include <windows.h>

#include <string>

class CWnd;

class CWinApp {
public:
    // The first application object constructed becomes the process's application.
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Start-up. FALSE ends the program when it returns; TRUE runs a message loop until
    // WM_QUIT. The program's modal windows run their own loops inside it either way.
    virtual BOOL InitInstance();

    // The running executable's full path, never cut short (empty when it cannot be read).
    std::wstring ModulePath() const;
    // Until SetProfileName: the executable's file name without its extension, followed by
    // ".INI" (no folder).
    std::wstring ProfileName() const;
    void SetProfileName(const std::wstring& path);

    static CWinApp* GetApp();

    // The main window: the default owner of dialogs created without a parent.
    CWnd* m_pMainWnd = nullptr;

private:
    std::wstring m_strProfileName;
    bool m_bProfileNameSet = false;
};

namespace fw {

// Runs the application object: InitInstance, then (when it returned TRUE) a message loop.
// Returns the exit code: 0, WM_QUIT's code after a loop, or 1 when there is no application
// object or start-up threw. Called from the program's wWinMain.
int RunApp();

}  // namespace fw
