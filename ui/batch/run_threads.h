// The worker threads of the batch runs, started by the progress window: each finds its
// window through g_pProgDlg, reads the run's parameters once and runs the whole sequence.
#pragma once

#include <windows.h>

// The install run (mode 0) and the save run (mode 1). The parameter carries nothing; both
// return 0.
UINT InstallThreadProc(LPVOID pParam);
UINT SaveThreadProc(LPVOID pParam);
