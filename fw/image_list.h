// CImageList: an owned comctl32 image list (move-only).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

class CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    CImageList(CImageList&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
    CImageList& operator=(CImageList&& other) noexcept {
        if (this != &other) {
            DeleteImageList();
            m_h = std::exchange(other.m_h, nullptr);
        }
        return *this;
    }

    // Replaces what was held.
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
        DeleteImageList();
        m_h = ::ImageList_Create(cx, cy, nFlags, nInitial, nGrow);
        return m_h != nullptr;
    }
    BOOL DeleteImageList() {
        if (!m_h) return FALSE;
        return ::ImageList_Destroy(std::exchange(m_h, nullptr));
    }
    BOOL Attach(HIMAGELIST h) {
        DeleteImageList();
        m_h = h;
        return h != nullptr;
    }
    HIMAGELIST Detach() { return std::exchange(m_h, nullptr); }
    HIMAGELIST GetSafeHandle() const { return m_h; }
    operator HIMAGELIST() const { return m_h; }

    // Adds a copy of the icon (the caller keeps its own); returns its index or -1.
    int Add(HICON hIcon) const { return m_h ? ::ImageList_ReplaceIcon(m_h, -1, hIcon) : -1; }
    COLORREF SetBkColor(COLORREF cr) const {
        return m_h ? ::ImageList_SetBkColor(m_h, cr) : CLR_NONE;
    }
    int GetImageCount() const { return m_h ? ::ImageList_GetImageCount(m_h) : 0; }
    BOOL Draw(HDC hDC, int nImage, POINT pt, UINT nStyle) const {
        return m_h ? ::ImageList_Draw(m_h, nImage, hDC, pt.x, pt.y, nStyle) : FALSE;
    }

private:
    HIMAGELIST m_h = nullptr;
};
