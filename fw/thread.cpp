#include "fw/thread.h"

#include <process.h>

#include <new>

namespace {

struct Start {
    fw::ThreadProc pfn;
    LPVOID pParam;
};

unsigned __stdcall ThreadMain(void* p) noexcept {
    const Start start = *static_cast<Start*>(p);
    delete static_cast<Start*>(p);
    try {
        return start.pfn(start.pParam);
    } catch (...) {
        return 1;
    }
}

}  // namespace

BOOL fw::BeginThread(ThreadProc pfn, LPVOID pParam) {
    if (!pfn) return FALSE;
    auto* start = new (std::nothrow) Start{pfn, pParam};
    if (!start) return FALSE;
    // _beginthreadex rather than CreateThread: the thread uses the C runtime.
    const uintptr_t h = _beginthreadex(nullptr, 0, ThreadMain, start, 0, nullptr);
    if (!h) {
        delete start;
        return FALSE;
    }
    ::CloseHandle(reinterpret_cast<HANDLE>(h));
    return TRUE;
}
