// CImageList: an owned comctl32 image list (move-only).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "fw/gdi.h"

namespace fw {

struct DestroyImageList {
    BOOL operator()(HIMAGELIST h) const { return ::ImageList_Destroy(h); }
};

}  // namespace fw

class CImageList : public fw::OwnedHandle<HIMAGELIST, fw::DestroyImageList> {
public:
    using OwnedHandle::OwnedHandle;

    // Replaces what was held.
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
        return Attach(::ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
    }
    BOOL DeleteImageList() { return Release(); }

    // Adds a copy of the icon (the caller keeps its own); returns its index or -1.
    int Add(HICON hIcon) const { return m_h ? ::ImageList_ReplaceIcon(m_h, -1, hIcon) : -1; }
    COLORREF SetBkColor(COLORREF cr) const {
        return m_h ? ::ImageList_SetBkColor(m_h, cr) : CLR_NONE;
    }
    int GetImageCount() const { return m_h ? ::ImageList_GetImageCount(m_h) : 0; }
    BOOL Draw(HDC hDC, int nImage, POINT pt, UINT nStyle) const {
        return m_h ? ::ImageList_Draw(m_h, nImage, hDC, pt.x, pt.y, nStyle) : FALSE;
    }
};
