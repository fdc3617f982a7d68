// GDI ownership: move-only bitmaps, fonts and brushes; scoped device contexts, selections and
// saved states; the few drawing helpers every painting window uses. Borrowed handles stay raw
// HBITMAP / HFONT / HDC.
#pragma once

#include <windows.h>

#include <utility>

namespace fw {

// Owns one handle of type H and frees it once with Free (a function object type).
template <class H, class Free>
class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(H h) : m_h(h) {}
    ~OwnedHandle() { Release(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    OwnedHandle(OwnedHandle&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) {
            Release();
            m_h = std::exchange(other.m_h, nullptr);
        }
        return *this;
    }

    // Takes ownership of h, freeing what was held before.
    BOOL Attach(H h) {
        Release();
        m_h = h;
        return h != nullptr;
    }
    // Gives up ownership without freeing.
    H Detach() { return std::exchange(m_h, nullptr); }
    // Frees the handle held, if any; FALSE when there was none or freeing failed.
    BOOL Release() {
        if (!m_h) return FALSE;
        return Free{}(std::exchange(m_h, nullptr)) ? TRUE : FALSE;
    }
    H GetSafeHandle() const { return m_h; }
    operator H() const { return m_h; }

protected:
    H m_h = nullptr;
};

struct DeleteGdiObject {
    BOOL operator()(HGDIOBJ h) const { return ::DeleteObject(h); }
};

// Owns one GDI object of type H and deletes it once.
template <class H>
class GdiObject : public OwnedHandle<H, DeleteGdiObject> {
public:
    using OwnedHandle<H, DeleteGdiObject>::OwnedHandle;
    BOOL DeleteObject() { return this->Release(); }
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

namespace fw {

// A bitmap resource of this module, owned; empty when there is none of that id.
inline CBitmap LoadModuleBitmap(UINT nIDResource) {
    CBitmap bitmap;
    bitmap.LoadBitmap(nIDResource);
    return bitmap;
}

}  // namespace fw

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

namespace fw {

struct DestroyIconHandle {
    BOOL operator()(HICON h) const { return ::DestroyIcon(h); }
};

}  // namespace fw

// An owned icon (CreateIconIndirect, LoadImageW without LR_SHARED ...), destroyed once.
class CIcon : public fw::OwnedHandle<HICON, fw::DestroyIconHandle> {
public:
    using OwnedHandle::OwnedHandle;
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

// SaveDC / RestoreDC: whatever a drawing step changes in the device context (font, colours,
// background mode, clipping) is undone when the guard goes.
class CSavedDC {
public:
    explicit CSavedDC(HDC hDC) : m_hDC(hDC), m_nSaved(::SaveDC(hDC)) {}
    ~CSavedDC() {
        if (m_nSaved) ::RestoreDC(m_hDC, m_nSaved);
    }
    CSavedDC(const CSavedDC&) = delete;
    CSavedDC& operator=(const CSavedDC&) = delete;

private:
    HDC m_hDC;
    int m_nSaved;
};

namespace fw {

// A RECT from any rectangle with int left, top, right and bottom (the portable layouts' own).
template <class R>
RECT ToRect(const R& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

// Fills rc with one colour (through ExtTextOutW: no brush is made). Leaves the device
// context's background colour at cr.
inline void Fill(HDC hDC, const RECT& rc, COLORREF cr) {
    ::SetBkColor(hDC, cr);
    ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
}

// Copies a bitmap to (x, y) at its own size, or stretched to cx x cy (0: its own width or
// height), through hSource, a memory device context that the bitmap is selected into only
// meanwhile. Nothing is drawn without a bitmap.
inline void Draw(HDC hDest, HDC hSource, const CBitmap& bitmap, int x, int y, int cx = 0,
                 int cy = 0) {
    const SIZE size = bitmap.GetSize();
    if (size.cx <= 0 || size.cy <= 0) return;
    CSelectObject select(hSource, bitmap);
    if (cx <= 0) cx = size.cx;
    if (cy <= 0) cy = size.cy;
    if (cx == size.cx && cy == size.cy)
        ::BitBlt(hDest, x, y, cx, cy, hSource, 0, 0, SRCCOPY);
    else
        ::StretchBlt(hDest, x, y, cx, cy, hSource, 0, 0, size.cx, size.cy, SRCCOPY);
}

}  // namespace fw
