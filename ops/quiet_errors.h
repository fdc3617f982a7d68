// The quiet error mode for file calls that may reach a drive without a disc.
#pragma once

#include <windows.h>

// A CD/DVD drive without a disc must read as "not there", not raise the system's "insert a
// disc" box in the middle of a search over every drive or of an icon read: the calls made on
// this thread while one of these lives fail quietly instead.
class QuietErrors {
public:
    QuietErrors() : m_bSet(::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &m_dwOld) != FALSE) {}
    ~QuietErrors() {
        if (m_bSet) ::SetThreadErrorMode(m_dwOld, nullptr);
    }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

private:
    DWORD m_dwOld = 0;
    bool m_bSet;
};
