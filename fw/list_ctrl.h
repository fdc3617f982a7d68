// CListCtrl: the list view in report mode, with the operations the catalogue lists use.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "fw/image_list.h"
#include "fw/self_drawn.h"

// An owner-drawn list (LVS_OWNERDRAWFIXED) draws its rows itself in DrawItem.
class CListCtrl : public fw::SelfDrawnWnd {
public:
    CListCtrl() = default;
    ~CListCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
        return CreateEx(0, WC_LISTVIEWW, nullptr, dwStyle, rect, pParentWnd, nID);
    }

    // --- columns ---
    int InsertColumn(int nCol, LPCWSTR pszHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1);
    BOOL GetColumn(int nCol, LVCOLUMNW* pColumn) const {
        return static_cast<BOOL>(
            SendMessage(LVM_GETCOLUMNW, nCol, reinterpret_cast<LPARAM>(pColumn)));
    }
    int GetColumnWidth(int nCol) const {
        return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, nCol));
    }
    BOOL SetColumnWidth(int nCol, int cx) const {
        return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0)));
    }
    // The header control (a borrowed handle).
    HWND GetHeaderCtrl() const { return reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)); }

    // --- items ---
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    BOOL SetItemCount(int nItems) const {
        return static_cast<BOOL>(SendMessage(LVM_SETITEMCOUNT, nItems));
    }
    int InsertItem(const LVITEMW* pItem) const {
        return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
    }
    int InsertItem(int nItem, LPCWSTR pszText) const;
    int InsertItem(int nItem, LPCWSTR pszText, int nImage) const;
    BOOL DeleteAllItems() const { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
    BOOL GetItem(LVITEMW* pItem) const {
        return static_cast<BOOL>(SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
    }
    BOOL SetItem(const LVITEMW* pItem) const {
        return static_cast<BOOL>(SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
    }
    CString GetItemText(int nItem, int nSubItem) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCWSTR pszText) const;
    UINT GetItemState(int nItem, UINT nMask) const {
        return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, nItem, nMask));
    }
    BOOL SetItemState(int nItem, UINT nState, UINT nMask) const;
    // The tick is the state image: index 2 ticked, 1 not ticked. GetCheck returns the index
    // less one: 1 ticked, 0 not ticked, -1 no tick box.
    int GetCheck(int nItem) const {
        return static_cast<int>((GetItemState(nItem, LVIS_STATEIMAGEMASK) >> 12)) - 1;
    }
    BOOL SetCheck(int nItem, BOOL bCheck = TRUE) const {
        return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(bCheck ? 2 : 1), LVIS_STATEIMAGEMASK);
    }
    int GetNextItem(int nItem, int nFlags) const {
        return static_cast<int>(SendMessage(LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0)));
    }
    BOOL EnsureVisible(int nItem, BOOL bPartialOK) const {
        return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, nItem, bPartialOK));
    }
    // nCode: LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL, LVIR_SELECTBOUNDS.
    BOOL GetItemRect(int nItem, RECT* pRect, UINT nCode) const;
    BOOL GetSubItemRect(int nItem, int nSubItem, int nArea, RECT* pRect) const;
    // The item under a client point, or -1; *pFlags receives the LVHT_* flags.
    int HitTest(POINT pt, UINT* pFlags = nullptr) const;
    int HitTest(LVHITTESTINFO* pInfo) const {
        return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(pInfo)));
    }
    int SubItemHitTest(LVHITTESTINFO* pInfo) const {
        return static_cast<int>(
            SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(pInfo)));
    }

    // --- styles and images ---
    DWORD GetExtendedStyle() const {
        return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
    }
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    HIMAGELIST GetImageList(int nType) const {
        return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, nType));
    }
    // Lends the image list (LVSIL_NORMAL, LVSIL_SMALL or LVSIL_STATE) to the control; the
    // CImageList object keeps owning it and must outlive the control's use of it. One image
    // list may serve several lists. Returns the image list used before (null when that was
    // one the control had made itself, such as its check boxes: the control object destroys
    // those).
    HIMAGELIST SetImageList(CImageList* pImageList, int nType);

protected:
    bool ProcessMessageTable(fw::MsgContext& ctx) override {
        return ctx.Run(*this, kMessages) || SelfDrawnWnd::ProcessMessageTable(ctx);
    }

private:
    void OnDestroy();
    void DestroyOwnImageLists();
    static constexpr fw::MsgEntry kMessages[] = {
        fw::Msg<WM_DESTROY, &CListCtrl::OnDestroy>,
    };

    // Image lists the control made itself (its check boxes): with the lent lists shared, the
    // control no longer destroys any image list, so this object does.
    std::vector<HIMAGELIST> m_ownImageLists;
};
