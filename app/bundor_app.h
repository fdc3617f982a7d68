// CBundorApp: the application object. Its start-up shows the main window modally; the program
// ends when that window closes.
#pragma once

#include <windows.h>

#include "fw/app.h"

class CBundorApp : public CWinApp {
public:
    CBundorApp() = default;

    // Common controls, COM for the shell, the catalogue, the modal main window. FALSE always:
    // the program ends when it returns.
    BOOL InitInstance() override;
};
