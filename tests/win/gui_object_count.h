// Counting this process's GDI objects and windows, to show that long use keeps them flat.
#pragma once

#include <windows.h>

// GetGuiResources where the system has it. Wine 8 does not implement it; there a GDI handle
// made of the handle table's 16-bit index alone is taken as the object in use at that index,
// so asking GetObjectType of every index counts the live objects. That holds for 32- and
// 64-bit processes alike, so both architectures run the same code (the PEB's shared handle
// table, used before, is null in a 32-bit process).
inline long GdiObjectCount() {
    ::SetLastError(0);
    const DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (n || ::GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return static_cast<long>(n);
    long count = 0;
    for (ULONG_PTR i = 1; i < 65536; ++i)
        count += ::GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0;
    return count;
}

inline BOOL CALLBACK CountChildWindow(HWND, LPARAM lParam) {
    ++*reinterpret_cast<long*>(lParam);
    return TRUE;
}

// A top-level window of this process and all its descendants (EnumChildWindows visits the
// whole tree).
inline BOOL CALLBACK CountOwnWindow(HWND hWnd, LPARAM lParam) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid == ::GetCurrentProcessId()) {
        ++*reinterpret_cast<long*>(lParam);
        ::EnumChildWindows(hWnd, CountChildWindow, lParam);
    }
    return TRUE;
}

inline long UserObjectCount() {
    ::SetLastError(0);
    const DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    if (n || ::GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return static_cast<long>(n);
    long count = 0;
    ::EnumWindows(CountOwnWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}
