// The worker threads of the batch runs, started by the progress window with a copy of the
// run's parameters, taken when the thread starts: the run never reads its window's members
// afterwards.
#pragma once

#include <windows.h>

class CProgDlg;

// Starts the run that the window's parameters ask for (m_nMode 0 install, 1 save) on a new
// worker thread that nobody waits for. FALSE when the thread could not be started.
BOOL StartRun(const CProgDlg& dlg);

// The install run (mode 0) and the save run (mode 1). The parameter is the run's own copy of
// its parameters, made by StartRun and released by the thread; both return 0.
UINT InstallThreadProc(LPVOID pParam);
UINT SaveThreadProc(LPVOID pParam);
