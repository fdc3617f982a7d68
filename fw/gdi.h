// GDI ownership: move-only bitmaps, fonts and brushes; scoped device contexts and selections.
// Borrowed handles stay raw HBITMAP / HFONT / HDC.
#pragma once

#include <windows.h>

#include <utility>

namespace fw {

// Owns one GDI object of type H and deletes it once.
template <class H>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(H h) : m_h(h) {}
    ~GdiObject() { DeleteObject(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            DeleteObject();
            m_h = std::exchange(other.m_h, nullptr);
        }
        return *this;
    }

    // Takes ownership of h, deleting what was held before.
    BOOL Attach(H h) {
        DeleteObject();
        m_h = h;
        return h != nullptr;
    }
    // Gives up ownership without deleting.
    H Detach() { return std::exchange(m_h, nullptr); }
    BOOL DeleteObject() {
        if (!m_h) return FALSE;
        return ::DeleteObject(std::exchange(m_h, nullptr));
    }
    H GetSafeHandle() const { return m_h; }
    operator H() const { return m_h; }

protected:
    H m_h = nullptr;
};

}  // namespace fw

class CBitmap : public fw::GdiObject<HBITMAP> {
public:
    using GdiObject::GdiObject;
    // A bitmap resource of this module; replaces what was held.
    BOOL LoadBitmap(UINT nIDResource) {
        return Attach(::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nIDResource)));
    }
    int GetBitmap(BITMAP* pBitmap) const {
        return m_h ? ::GetObjectW(m_h, sizeof(BITMAP), pBitmap) : 0;
    }
    // Width and height in pixels; 0 x 0 without a bitmap.
    SIZE GetSize() const {
        BITMAP bm{};
        if (!GetBitmap(&bm)) return SIZE{0, 0};
        return SIZE{bm.bmWidth, bm.bmHeight};
    }
};

class CFont : public fw::GdiObject<HFONT> {
public:
    using GdiObject::GdiObject;
    BOOL CreateFontIndirect(const LOGFONTW* pLogFont) {
        return Attach(::CreateFontIndirectW(pLogFont));
    }
    int GetLogFont(LOGFONTW* pLogFont) const {
        return m_h ? ::GetObjectW(m_h, sizeof(LOGFONTW), pLogFont) : 0;
    }
};

class CBrush : public fw::GdiObject<HBRUSH> {
public:
    using GdiObject::GdiObject;
    BOOL CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
    BOOL CreateSysColorBrush(int nIndex) {
        // A system colour brush belongs to the system and is never deleted: hold a solid brush
        // of the colour instead, so that this object can always delete what it holds.
        return Attach(::CreateSolidBrush(::GetSysColor(nIndex)));
    }
};

// BeginPaint / EndPaint.
class CPaintDC {
public:
    explicit CPaintDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(::BeginPaint(hWnd, &m_ps)) {}
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    operator HDC() const { return m_hDC; }
    const PAINTSTRUCT& PaintStruct() const { return m_ps; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps{};
    HDC m_hDC;
};

// GetDC / ReleaseDC.
class CClientDC {
public:
    explicit CClientDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(::GetDC(hWnd)) {}
    ~CClientDC() {
        if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC);
    }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;
    operator HDC() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// GetWindowDC / ReleaseDC.
class CWindowDC {
public:
    explicit CWindowDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(::GetWindowDC(hWnd)) {}
    ~CWindowDC() {
        if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC);
    }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;
    operator HDC() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// CreateCompatibleDC / DeleteDC. Whatever is selected into it must be selected out again
// (CSelectObject) before it goes.
class CMemoryDC {
public:
    explicit CMemoryDC(HDC hCompatible) : m_hDC(::CreateCompatibleDC(hCompatible)) {}
    ~CMemoryDC() {
        if (m_hDC) ::DeleteDC(m_hDC);
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    operator HDC() const { return m_hDC; }

private:
    HDC m_hDC;
};

// Selects an object into a device context and selects the previous one back on destruction.
class CSelectObject {
public:
    CSelectObject(HDC hDC, HGDIOBJ hObject)
        : m_hDC(hDC), m_hOld(hObject ? ::SelectObject(hDC, hObject) : nullptr) {}
    ~CSelectObject() {
        if (m_hOld && m_hOld != HGDI_ERROR) ::SelectObject(m_hDC, m_hOld);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;
    HGDIOBJ Old() const { return m_hOld; }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};
