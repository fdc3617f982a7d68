// Counting this process's GDI objects and windows, to show that long use keeps them flat.
#pragma once

#include <windows.h>

#include <cstdint>

// GetGuiResources where the system has it. Wine 8 does not implement it; there each process
// has its own GDI handle table (the PEB's GdiSharedHandleTable, 65536 entries of 24 bytes
// whose type byte is non-zero while the handle is in use), and windows are counted by
// enumeration.
struct GdiTableEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t user;
};
static_assert(sizeof(GdiTableEntry) == 24);

// GCC 12 takes NtCurrentTeb's segment-relative read for an out-of-bounds access.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
inline long GdiObjectCount() {
    ::SetLastError(0);
    const DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (n || ::GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return static_cast<long>(n);
    const auto* teb = reinterpret_cast<const BYTE*>(::NtCurrentTeb());
#ifdef _WIN64
    const BYTE* peb = *reinterpret_cast<BYTE* const*>(teb + 0x60);
    const auto* table = *reinterpret_cast<const GdiTableEntry* const*>(peb + 0xF8);
#else
    const BYTE* peb = *reinterpret_cast<BYTE* const*>(teb + 0x30);
    const auto* table = *reinterpret_cast<const GdiTableEntry* const*>(peb + 0x94);
#endif
    if (!table) return -1;
    long count = 0;
    for (int i = 0; i < 65536; ++i) count += table[i].type != 0;
    return count;
}
#pragma GCC diagnostic pop

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
