#include "fw/list_ctrl.h"

#include <algorithm>
#include <vector>

CListCtrl::~CListCtrl() {
    if (!GetSafeHwnd()) return;
    // The window outlives the object: unbind before anything else (no message reaches the
    // half-destroyed object), take the control's own image lists from it and destroy them.
    const bool bOwns = OwnsWindow();
    const HWND hWnd = Detach();
    if (!m_ownImageLists.empty() && ::IsWindow(hWnd)) {
        for (int type : {LVSIL_NORMAL, LVSIL_SMALL, LVSIL_STATE}) {
            const auto h =
                reinterpret_cast<HIMAGELIST>(::SendMessageW(hWnd, LVM_GETIMAGELIST, type, 0));
            if (std::find(m_ownImageLists.begin(), m_ownImageLists.end(), h) !=
                m_ownImageLists.end())
                ::SendMessageW(hWnd, LVM_SETIMAGELIST, type, 0);
        }
    }
    DestroyOwnImageLists();
    if (bOwns && ::IsWindow(hWnd)) ::DestroyWindow(hWnd);
}

int CListCtrl::InsertColumn(int nCol, LPCWSTR pszHeading, int nFormat, int nWidth) {
    LVCOLUMNW col{};
    col.mask = LVCF_FMT | LVCF_TEXT;
    col.fmt = nFormat;
    col.pszText = const_cast<LPWSTR>(pszHeading ? pszHeading : L"");
    if (nWidth >= 0) {
        col.mask |= LVCF_WIDTH;
        col.cx = nWidth;
    }
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, nCol, reinterpret_cast<LPARAM>(&col)));
}

int CListCtrl::InsertItem(int nItem, LPCWSTR pszText) const {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = const_cast<LPWSTR>(pszText ? pszText : L"");
    return InsertItem(&item);
}

int CListCtrl::InsertItem(int nItem, LPCWSTR pszText, int nImage) const {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = nItem;
    item.pszText = const_cast<LPWSTR>(pszText ? pszText : L"");
    item.iImage = nImage;
    return InsertItem(&item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
    // LVM_GETITEMTEXT returns the number of characters copied; a full buffer may mean more.
    std::vector<wchar_t> buf(256);
    for (;;) {
        LVITEMW item{};
        item.iSubItem = nSubItem;
        item.pszText = buf.data();
        item.cchTextMax = static_cast<int>(buf.size());
        const int n =
            static_cast<int>(SendMessage(LVM_GETITEMTEXTW, nItem, reinterpret_cast<LPARAM>(&item)));
        if (n < static_cast<int>(buf.size()) - 1 || buf.size() >= 65536)
            return CString(buf.data(), std::max(n, 0));
        buf.resize(buf.size() * 2);
    }
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCWSTR pszText) const {
    LVITEMW item{};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPWSTR>(pszText ? pszText : L"");
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTW, nItem, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) const {
    LVITEMW item{};
    item.state = nState;
    item.stateMask = nMask;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, nItem, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::GetItemRect(int nItem, RECT* pRect, UINT nCode) const {
    if (!pRect) return FALSE;
    pRect->left = static_cast<LONG>(nCode);
    return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, nItem, reinterpret_cast<LPARAM>(pRect)));
}

BOOL CListCtrl::GetSubItemRect(int nItem, int nSubItem, int nArea, RECT* pRect) const {
    if (!pRect) return FALSE;
    pRect->top = nSubItem;
    pRect->left = nArea;
    return static_cast<BOOL>(
        SendMessage(LVM_GETSUBITEMRECT, nItem, reinterpret_cast<LPARAM>(pRect)));
}

int CListCtrl::HitTest(POINT pt, UINT* pFlags) const {
    LVHITTESTINFO info{};
    info.pt = pt;
    const int nItem = HitTest(&info);
    if (pFlags) *pFlags = info.flags;
    return nItem;
}

DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle) {
    const HIMAGELIST hStateBefore = GetImageList(LVSIL_STATE);
    const auto old = static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle));
    // Check boxes turned on after an image list was lent: the control makes a state image list
    // that, with the lists shared, it would never destroy.
    const HIMAGELIST hStateAfter = GetImageList(LVSIL_STATE);
    if ((GetStyle() & LVS_SHAREIMAGELISTS) && hStateAfter && hStateAfter != hStateBefore)
        m_ownImageLists.push_back(hStateAfter);
    return old;
}

HIMAGELIST CListCtrl::SetImageList(CImageList* pImageList, int nType) {
    if (!(GetStyle() & LVS_SHAREIMAGELISTS)) {
        // From now on the control destroys no image list, so lent lists are never destroyed
        // twice; the lists it made itself become this object's to destroy.
        for (int type : {LVSIL_NORMAL, LVSIL_SMALL, LVSIL_STATE})
            if (HIMAGELIST h = GetImageList(type)) m_ownImageLists.push_back(h);
        ModifyStyle(0, LVS_SHAREIMAGELISTS);
    }
    const HIMAGELIST hNew = pImageList ? pImageList->GetSafeHandle() : nullptr;
    const auto hOld = reinterpret_cast<HIMAGELIST>(
        SendMessage(LVM_SETIMAGELIST, nType, reinterpret_cast<LPARAM>(hNew)));
    const auto own = std::find(m_ownImageLists.begin(), m_ownImageLists.end(), hOld);
    if (hOld && own != m_ownImageLists.end()) {
        m_ownImageLists.erase(own);
        ::ImageList_Destroy(hOld);
        return nullptr;
    }
    return hOld;
}

void CListCtrl::OnDestroy() {
    Default();
    DestroyOwnImageLists();
}

void CListCtrl::DestroyOwnImageLists() {
    for (HIMAGELIST h : m_ownImageLists) ::ImageList_Destroy(h);
    m_ownImageLists.clear();
}
