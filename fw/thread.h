// Worker threads that nobody waits for.
#pragma once

#include <windows.h>

namespace fw {

using ThreadProc = UINT (*)(LPVOID pParam);

// Starts pfn(pParam) on a new thread of normal priority with the default stack size, and
// lets the thread go: its handle is closed at once and nothing waits for it. An exception
// that leaves pfn ends only that thread, with exit code 1. FALSE when the thread could not
// be started.
BOOL BeginThread(ThreadProc pfn, LPVOID pParam);

}  // namespace fw
