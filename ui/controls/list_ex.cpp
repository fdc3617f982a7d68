// CListEx: its records of rows, columns and link sets, the owner's operations and setters, and
// the messages that keep rows whole (measuring, focus, painting, frame, header dividers).
#include "ui/controls/list_ex.h"

#include <algorithm>

// Locks the list's window updates while a setter changes it, then repaints it once. Unlocks
// only a lock it took: another window's lock is not ours to end.
class CListEx::UpdateLock {
public:
    explicit UpdateLock(const CListEx& list, bool bInvalidate = true)
        : m_list(list),
          m_bInvalidate(bInvalidate),
          m_bLocked(list.GetSafeHwnd() && list.LockWindowUpdate()) {}
    ~UpdateLock() {
        // A list that is not on the screen is painted whole when it is shown; invalidating it
        // would only cost a call to the window manager per change.
        if (m_bInvalidate && m_list.GetSafeHwnd() && m_list.IsWindowVisible())
            m_list.Invalidate(TRUE);
        if (m_bLocked) CWnd::UnlockWindowUpdate();
    }
    UpdateLock(const UpdateLock&) = delete;
    UpdateLock& operator=(const UpdateLock&) = delete;

private:
    const CListEx& m_list;
    bool m_bInvalidate;
    bool m_bLocked;
};

CListEx::CListEx()
    : m_crText{::GetSysColor(COLOR_WINDOWTEXT), ::GetSysColor(COLOR_WINDOWTEXT),
               ::GetSysColor(COLOR_BTNTEXT)},
      m_crDetail{RGB(99, 99, 101), ::GetSysColor(COLOR_WINDOWTEXT), RGB(99, 99, 101)},
      m_crLink{RGB(11, 91, 152), RGB(11, 91, 152), RGB(11, 91, 152)},
      m_crRowBk(::GetSysColor(COLOR_WINDOW)),
      m_crBack(::GetSysColor(COLOR_WINDOW)) {}

CListEx::~CListEx() = default;

// --- building the list -----------------------------------------------------------------------

int CListEx::AddColumn(int nCol, LPCWSTR pszHeading, int nFormat, int nWidth, UINT nKind,
                       BOOL bAutoWidth) {
    if (nCol < 0) return -1;
    m_arrColKind.InsertAt(nCol, nKind);
    m_arrAutoWidth.InsertAt(nCol, bAutoWidth ? 1 : 0);
    return InsertColumn(nCol, pszHeading, nFormat, nWidth);
}

int CListEx::AddRow(int nRow, LPCWSTR pszText, int nImage, UINT nKind, LPCWSTR pszDetail) {
    if (nRow < 0) return -1;
    // The list view appends a row numbered past its end; the records follow it, so that they
    // stay in step with the rows. They are in place before the row exists: the list view may
    // ask about the new row while inserting it.
    const int nAt = std::min(nRow, GetItemCount());
    m_arrDetail.InsertAt(nAt, CString(pszDetail));
    m_arrRowKind.InsertAt(nAt, nKind);
    const int nItem =
        nImage == NO_IMAGE ? InsertItem(nAt, pszText) : InsertItem(nAt, pszText, nImage);
    if (nItem != nAt) {
        m_arrDetail.RemoveAt(nAt);
        m_arrRowKind.RemoveAt(nAt);
        return -1;
    }
    if (nKind == ROW_HEADER) ++m_nHeaderRows;
    if (m_arrAutoWidth.GetSize() > 0 && m_arrAutoWidth[0]) AutoSizeColumn(0);
    return nItem;
}

int CListEx::LinkSetIndex(int nCol) const {
    std::vector<unsigned> kinds(m_arrColKind.begin(), m_arrColKind.end());
    return listgeo::LinkSetIndex(kinds, nCol);
}

void CListEx::InsertLinkSet(int nSet, const CStringArray& links) {
    ++m_nLinkSets;
    for (int j = m_nLinkSets - 1; j > nSet; --j) m_arrLinkSets.at(j) = m_arrLinkSets.at(j - 1);
    m_arrLinkSets.at(nSet) = links;
}

void CListEx::RemoveLinkSet(int nSet) {
    for (int j = nSet; j + 1 < m_nLinkSets; ++j) m_arrLinkSets.at(j) = m_arrLinkSets.at(j + 1);
    m_arrLinkSets.at(m_nLinkSets - 1).RemoveAll();
    --m_nLinkSets;
}

int CListEx::SetCellText(int nRow, int nCol, LPCWSTR pszText, UINT nKind) {
    if (nRow < 0 || nRow > GetItemCount() - 1 || nCol < 0 || nCol > m_arrColKind.GetSize() - 1 ||
        nKind > COL_LINK)
        return 0;
    UpdateLock lock(*this);
    if (nCol == 0) {
        m_arrDetail[nRow].Empty();
    } else {
        if (m_arrColKind[nCol] > COL_LINK) RemoveLinkSet(LinkSetIndex(nCol));
        m_arrColKind[nCol] = nKind;
    }
    const int nResult = SetItemText(nRow, nCol, pszText);
    if (IsAutoWidth(nCol)) AutoSizeColumn(nCol);
    return nResult;
}

int CListEx::SetCellLinks(int nRow, int nCol, const CStringArray& links) {
    const int n = links.GetSize();
    if (n == 0) return 0;
    if (n == 1) return SetCellText(nRow, nCol, links[0], COL_LINK);
    if (nRow < 0 || nRow > GetItemCount() - 1 || nCol < 1 || nCol > m_arrColKind.GetSize() - 1)
        return 0;
    const bool bNewSet = m_arrColKind[nCol] <= COL_LINK;
    // Only a column that needs a new set is refused when the table is full; one that has its
    // set already gets it replaced.
    if (bNewSet && m_nLinkSets >= MAX_LINKSETS) return 0;

    UpdateLock lock(*this);
    const int nSet = LinkSetIndex(nCol);
    if (bNewSet)
        InsertLinkSet(nSet, links);
    else
        m_arrLinkSets.at(nSet) = links;
    m_arrColKind[nCol] = static_cast<UINT>(n);

    CString text = links[0];
    for (int k = 1; k < n; ++k) {
        text += CString(listgeo::kLinkGap.data(), static_cast<int>(listgeo::kLinkGap.size()));
        text += links[k];
    }
    const int nResult = SetItemText(nRow, nCol, text);
    if (IsAutoWidth(nCol)) AutoSizeColumn(nCol);
    return nResult;
}

int CListEx::AutoSizeColumn(int nCol) {
    if (nCol < 0 || nCol > m_arrAutoWidth.GetSize() - 1) return 0;
    m_arrAutoWidth[nCol] = 1;
    int nWidth = 0;
    {
        CClientDC dc(GetSafeHwnd());
        CSelectObject font(dc, GetFont());
        RECT rcIcon{};
        const int nRows = GetItemCount();
        if (nCol == 0 && nRows > 0) GetItemRect(0, &rcIcon, LVIR_ICON);
        for (int r = 0; r < nRows; ++r) {
            const CString text = GetItemText(r, nCol);
            SIZE size{};
            ::GetTextExtentPoint32W(dc, text, text.GetLength(), &size);
            const int nCandidate =
                nCol == 0 ? rcIcon.right + static_cast<int>(size.cx) + 6 : size.cx + 12;
            nWidth = std::max(nWidth, nCandidate);
        }
    }
    return SetColumnWidth(nCol, nWidth);
}

int CListEx::CheckAllEntries(BOOL bCheck) {
    const int nRows = GetItemCount();
    for (int i = 0; i < nRows; ++i) {
        if (m_arrRowKind[i] == ROW_ENTRY) SetCheck(i, bCheck);
    }
    return nRows;
}

UINT CListEx::GetColumnKind(int nCol) const {
    return nCol >= 0 && nCol < m_arrColKind.GetSize() ? m_arrColKind[nCol] : COL_TEXT;
}

BOOL CListEx::IsAutoWidth(int nCol) const {
    return nCol >= 0 && nCol < m_arrAutoWidth.GetSize() && m_arrAutoWidth[nCol] != 0;
}

// --- look --------------------------------------------------------------------------------------

void CListEx::SetItemHeight(int nHeight) {
    m_nItemHeight = nHeight;
    if (!GetSafeHwnd()) return;
    // The list view asks for its row height again when its size is said to have changed.
    RECT rc{};
    GetWindowRect(&rc);
    WINDOWPOS wp{};
    wp.hwnd = GetSafeHwnd();
    wp.cx = rc.right - rc.left;
    wp.cy = rc.bottom - rc.top;
    wp.flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
}

void CListEx::SetIconSize(int cx, int cy) {
    m_nIconWidth = cx;
    m_nIconHeight = cy;
}

void CListEx::SetTextColors(COLORREF crNormal, COLORREF crSelFocused, COLORREF crSelUnfocused) {
    UpdateLock lock(*this);
    m_crText[0] = crNormal;
    m_crText[1] = crSelFocused;
    m_crText[2] = crSelUnfocused;
}

void CListEx::SetDetailColors(COLORREF crNormal, COLORREF crSelFocused, COLORREF crSelUnfocused) {
    UpdateLock lock(*this);
    m_crDetail[0] = crNormal;
    m_crDetail[1] = crSelFocused;
    m_crDetail[2] = crSelUnfocused;
}

void CListEx::SetLinkColors(COLORREF crNormal, COLORREF crSelFocused, COLORREF crSelUnfocused) {
    UpdateLock lock(*this);
    const COLORREF given[3] = {crNormal, crSelFocused, crSelUnfocused};
    for (int s = 0; s < 3; ++s) {
        if (given[s] != 0) m_crLink[s] = given[s];
    }
}

void CListEx::SetBackColor(COLORREF crBack) {
    UpdateLock lock(*this);
    if (crBack != 0) m_crBack = crBack;
}

void CListEx::SetRowBackColor(COLORREF crRowBk) {
    UpdateLock lock(*this);
    m_crRowBk = crRowBk;
}

void CListEx::SetBkBitmap(CBitmap* pBitmap) {
    UpdateLock lock(*this, m_nSkin != 0);
    m_pBkBitmap = pBitmap;
}

void CListEx::SetEntryRowBitmaps(const RowBitmaps& bitmaps) {
    UpdateLock lock(*this, m_nSkin != 0);
    m_pEntryBmp = bitmaps;
}

void CListEx::SetHeaderRowBitmaps(const RowBitmaps& bitmaps) {
    UpdateLock lock(*this, m_nSkin != 0);
    m_pHeaderBmp = bitmaps;
}

void CListEx::SetSkinFlags(UINT nSkin) {
    UpdateLock lock(*this);
    m_nSkin = nSkin;
}

// --- repainting --------------------------------------------------------------------------------

void CListEx::InvalidateRow(int nRow) {
    RECT rc{};
    if (!GetItemRect(nRow, &rc, LVIR_BOUNDS)) return;
    rc.left = 0;
    InvalidateRect(&rc, FALSE);
}

void CListEx::RedrawSelection() {
    const int nFocused = GetNextItem(-1, LVNI_FOCUSED);
    if (nFocused >= 0) InvalidateRow(nFocused);
    if (!(GetStyle() & LVS_SHOWSELALWAYS)) {
        for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0;) {
            InvalidateRow(i);
            const int nNext = GetNextItem(i, LVNI_SELECTED);
            if (nNext <= i) break;
            i = nNext;
        }
    }
    UpdateWindow();
}

fw::Reply CListEx::OnMeasureItem(MEASUREITEMSTRUCT* pMIS) {
    if (m_nItemHeight == 0) return fw::PassOn();
    pMIS->itemHeight = static_cast<UINT>(m_nItemHeight);
    return fw::Handled(TRUE);
}

LRESULT CListEx::OnSetFocus(HWND hOther) {
    const LRESULT result = Default();
    // Focus coming back from an in-place child (an edit box) changes nothing of the rows.
    if (hOther && ::GetParent(hOther) == GetSafeHwnd()) return result;
    if ((GetStyle() & LVS_TYPEMASK) == LVS_REPORT) RedrawSelection();
    return result;
}

LRESULT CListEx::OnKillFocus(HWND hOther) {
    const LRESULT result = Default();
    if (hOther && ::GetParent(hOther) == GetSafeHwnd()) return result;
    if ((GetStyle() & LVS_TYPEMASK) == LVS_REPORT) RedrawSelection();
    return result;
}

LRESULT CListEx::OnPaint() {
    // An owner-drawn row paints its whole width: whatever part of a row needs painting, the
    // whole row is repainted (from the same band of rows).
    RECT rc{};
    if ((GetStyle() & LVS_TYPEMASK) == LVS_REPORT && ::GetUpdateRect(GetSafeHwnd(), &rc, FALSE)) {
        RECT rcRow{};
        if (GetItemCount() > 0 && GetItemRect(0, &rcRow, LVIR_BOUNDS)) {
            rc.left = std::min(rcRow.left, 0L);
            rc.right = std::max(rcRow.right, rc.right);
        }
        InvalidateRect(&rc, FALSE);
    }
    return Default();
}

LRESULT CListEx::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) {
    if (!m_bScrollBars) ShowScrollBar(SB_BOTH, FALSE);
    return Default();
}

BOOL CListEx::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const auto* pNM = reinterpret_cast<const NMHDR*>(lParam);
    if (pNM && pNM->hwndFrom == GetHeaderCtrl()) {
        switch (pNM->code) {
            case HDN_BEGINTRACKW:
            case HDN_DIVIDERDBLCLICKW:
            case HDN_BEGINTRACKA:
            case HDN_DIVIDERDBLCLICKA:
                // The links of a link set are placed from the column's width: its divider stays.
                if (GetColumnKind(reinterpret_cast<const NMHEADERW*>(lParam)->iItem) > COL_LINK) {
                    *pResult = 1;
                    return TRUE;
                }
                break;
            default:
                break;
        }
    }
    return CListCtrl::OnNotify(wParam, lParam, pResult);
}
