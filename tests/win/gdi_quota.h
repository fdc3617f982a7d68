// Bringing this process to its GDI quota, as a catalogue of about 1,200 categories does on
// Windows, to show what the windows do when no bitmap, brush or device context can be made.
#pragma once

#include <windows.h>

#include <vector>

// Takes every free GDI handle but nLeave: the process is at its quota until this goes.
class GdiQuota {
public:
    explicit GdiQuota(size_t nLeave) {
        for (HRGN h; m_taken.size() < 200000 && (h = ::CreateRectRgn(0, 0, 1, 1));)
            m_taken.push_back(h);
        for (; nLeave && !m_taken.empty(); --nLeave, m_taken.pop_back())
            ::DeleteObject(m_taken.back());
    }
    ~GdiQuota() {
        for (HRGN h : m_taken) ::DeleteObject(h);
    }
    GdiQuota(const GdiQuota&) = delete;
    GdiQuota& operator=(const GdiQuota&) = delete;
    size_t Taken() const { return m_taken.size(); }

private:
    std::vector<HRGN> m_taken;
};
