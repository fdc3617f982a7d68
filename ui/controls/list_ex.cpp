// CListEx: its records of rows, columns and link sets, the owner's operations and setters, and
// the messages that keep rows whole (measuring, focus, painting, frame, header dividers).
#include "ui/controls/list_ex.h"

#include <algorithm>

// Turns the list's redrawing off while a setter changes it, then repaints it once. Only a list
// on the screen is touched: WM_SETREDRAW TRUE would show a hidden window, and a hidden list is
// painted whole when it is shown. Unlike LockWindowUpdate, the lock is the list's own: no other
// window of the desktop waits for it.
class CListEx::UpdateLock {
public:
    explicit UpdateLock(CListEx& list, bool bInvalidate = true)
        : m_list(list),
          m_bInvalidate(bInvalidate),
          m_bOff(list.m_nUpdateLocks++ == 0 && list.GetSafeHwnd() && list.IsWindowVisible()) {
        // The rows under the pointer may change: the next mouse message tests again.
        list.ForgetCursorHit();
        if (m_bOff) m_list.SendMessage(WM_SETREDRAW, FALSE);
    }
    ~UpdateLock() {
        if (m_bOff) m_list.SendMessage(WM_SETREDRAW, TRUE);
        --m_list.m_nUpdateLocks;
        if (m_bInvalidate && m_list.m_nUpdateLocks == 0 && m_list.GetSafeHwnd() &&
            m_list.IsWindowVisible())
            m_list.Invalidate(TRUE);
    }
    UpdateLock(const UpdateLock&) = delete;
    UpdateLock& operator=(const UpdateLock&) = delete;

private:
    CListEx& m_list;
    bool m_bInvalidate;
    bool m_bOff;
};

// The bold and underlined forms of a font. One set serves every list drawn in the same font:
// a window of many lists would otherwise hold two more GDI objects per list.
class CListEx::FontSet {
public:
    explicit FontSet(HFONT hFont) : m_hNormal(hFont) {
        LOGFONTW lf{};
        if (!hFont || !::GetObjectW(hFont, sizeof lf, &lf)) return;
        LOGFONTW lfBold = lf;
        lfBold.lfWeight = FW_BOLD;
        m_bold.CreateFontIndirect(&lfBold);
        LOGFONTW lfUnderline = lf;
        lfUnderline.lfUnderline = TRUE;
        m_underline.CreateFontIndirect(&lfUnderline);
    }
    // The font itself stays its owner's; a form that could not be made is the font.
    HFONT Normal() const { return m_hNormal; }
    HFONT Bold() const { return m_bold.GetSafeHandle() ? m_bold.GetSafeHandle() : m_hNormal; }
    HFONT Underline() const {
        return m_underline.GetSafeHandle() ? m_underline.GetSafeHandle() : m_hNormal;
    }

    // The set of hFont's face, size and style, shared while any list holds it.
    static std::shared_ptr<const FontSet> For(HFONT hFont) {
        LOGFONTW lf{};
        const bool bKnown = hFont && ::GetObjectW(hFont, sizeof lf, &lf);
        // The UI thread's lists share; another thread's lists keep their own.
        thread_local std::vector<std::pair<LOGFONTW, std::weak_ptr<const FontSet>>> t_sets;
        std::erase_if(t_sets, [](const auto& entry) { return entry.second.expired(); });
        if (bKnown) {
            for (const auto& [key, weak] : t_sets) {
                if (SameFont(key, lf)) {
                    if (auto shared = weak.lock(); shared && shared->m_hNormal == hFont)
                        return shared;
                }
            }
        }
        auto set = std::make_shared<const FontSet>(hFont);
        if (bKnown) t_sets.emplace_back(lf, set);
        return set;
    }

private:
    static bool SameFont(const LOGFONTW& a, const LOGFONTW& b) {
        return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth &&
               a.lfEscapement == b.lfEscapement && a.lfOrientation == b.lfOrientation &&
               a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
               a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut &&
               a.lfCharSet == b.lfCharSet && a.lfOutPrecision == b.lfOutPrecision &&
               a.lfClipPrecision == b.lfClipPrecision && a.lfQuality == b.lfQuality &&
               a.lfPitchAndFamily == b.lfPitchAndFamily &&
               ::wcsncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
    }

    HFONT m_hNormal;
    CFont m_bold;
    CFont m_underline;
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
    ForgetCursorHit();
    m_cols.InsertAt(nCol, Column{nKind, bAutoWidth != FALSE});
    return InsertColumn(nCol, pszHeading, nFormat, nWidth);
}

int CListEx::AddRow(int nRow, LPCWSTR pszText, int nImage, UINT nKind, LPCWSTR pszDetail) {
    if (nRow < 0) return -1;
    // The list view appends a row numbered past its end; the records follow it, so that they
    // stay in step with the rows. They are in place before the row exists: the list view may
    // ask about the new row while inserting it.
    const int nAt = std::min(nRow, GetItemCount());
    ForgetCursorHit();
    m_rows.InsertAt(nAt, Row{nKind, CString(pszDetail)});
    const int nItem =
        nImage == NO_IMAGE ? InsertItem(nAt, pszText) : InsertItem(nAt, pszText, nImage);
    if (nItem != nAt) {
        m_rows.RemoveAt(nAt);
        return -1;
    }
    if (nKind == ROW_HEADER) ++m_nHeaderRows;
    if (IsAutoWidth(0)) AutoSizeColumn(0);
    return nItem;
}

std::vector<unsigned> CListEx::ColumnKinds() const {
    std::vector<unsigned> kinds;
    kinds.reserve(static_cast<std::size_t>(m_cols.GetSize()));
    for (const Column& col : m_cols) kinds.push_back(col.nKind);
    return kinds;
}

int CListEx::LinkSetIndex(int nCol) const {
    return listgeo::LinkSetIndex(ColumnKinds(), nCol);
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
    if (nRow < 0 || nRow > GetItemCount() - 1 || nCol < 0 || nCol > m_cols.GetSize() - 1 ||
        nKind > COL_LINK)
        return 0;
    UpdateLock lock(*this);
    if (nCol == 0) {
        m_rows[nRow].strDetail.Empty();
    } else {
        if (m_cols[nCol].nKind > COL_LINK) RemoveLinkSet(LinkSetIndex(nCol));
        m_cols[nCol].nKind = nKind;
    }
    const int nResult = SetItemText(nRow, nCol, pszText);
    if (IsAutoWidth(nCol)) AutoSizeColumn(nCol);
    return nResult;
}

int CListEx::SetCellLinks(int nRow, int nCol, const CStringArray& links) {
    const int n = links.GetSize();
    if (n == 0) return 0;
    if (n == 1) return SetCellText(nRow, nCol, links[0], COL_LINK);
    if (nRow < 0 || nRow > GetItemCount() - 1 || nCol < 1 || nCol > m_cols.GetSize() - 1) return 0;
    const bool bNewSet = m_cols[nCol].nKind <= COL_LINK;
    // Only a column that needs a new set is refused when the table is full; one that has its
    // set already gets it replaced.
    if (bNewSet && m_nLinkSets >= MAX_LINKSETS) return 0;

    UpdateLock lock(*this);
    const int nSet = LinkSetIndex(nCol);
    if (bNewSet)
        InsertLinkSet(nSet, links);
    else
        m_arrLinkSets.at(nSet) = links;
    m_cols[nCol].nKind = static_cast<UINT>(n);

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
    if (nCol < 0 || nCol > m_cols.GetSize() - 1) return 0;
    m_cols[nCol].bAutoWidth = true;
    int nWidth = 0;
    {
        CClientDC dc(GetSafeHwnd());
        CSelectObject font(dc, GetFont());
        RECT rcIcon{};
        const int nRows = GetItemCount();
        if (nCol == 0 && nRows > 0) GetItemRect(0, &rcIcon, LVIR_ICON);
        for (int r = 0; r < nRows; ++r) {
            const int nText = TextWidth(dc, WStringView(GetItemText(r, nCol).Str()));
            const int nCandidate =
                nCol == 0 ? static_cast<int>(rcIcon.right) + nText + 6 : nText + 12;
            nWidth = std::max(nWidth, nCandidate);
        }
    }
    return SetColumnWidth(nCol, nWidth);
}

int CListEx::CheckAllEntries(BOOL bCheck) {
    const int nRows = GetItemCount();
    for (int i = 0; i < nRows; ++i) {
        if (m_rows[i].nKind == ROW_ENTRY) SetCheck(i, bCheck);
    }
    return nRows;
}

UINT CListEx::GetColumnKind(int nCol) const {
    return nCol >= 0 && nCol < m_cols.GetSize() ? m_cols[nCol].nKind : COL_TEXT;
}

BOOL CListEx::IsAutoWidth(int nCol) const {
    return nCol >= 0 && nCol < m_cols.GetSize() && m_cols[nCol].bAutoWidth;
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

void CListEx::OnSetFocus(HWND hOther) {
    Default();
    // Focus coming back from an in-place child (an edit box) changes nothing of the rows.
    if (hOther && ::GetParent(hOther) == GetSafeHwnd()) return;
    if ((GetStyle() & LVS_TYPEMASK) == LVS_REPORT) RedrawSelection();
}

void CListEx::OnKillFocus(HWND hOther) {
    Default();
    if (hOther && ::GetParent(hOther) == GetSafeHwnd()) return;
    if ((GetStyle() & LVS_TYPEMASK) == LVS_REPORT) RedrawSelection();
}

void CListEx::OnSetFont(HFONT hFont, BOOL) {
    Default();
    // Looked up again even for the same handle: the old font may have been deleted and its
    // handle given to another.
    m_pFonts = FontSet::For(hFont);
    m_hFontsOf = hFont;
    ForgetCursorHit();
}

CListEx::FontHandles CListEx::Fonts() const {
    // A list in a dialog template gets its font before it is subclassed.
    const HFONT hFont = GetFont();
    if (!m_pFonts || m_hFontsOf != hFont) {
        m_pFonts = FontSet::For(hFont);
        m_hFontsOf = hFont;
    }
    return FontHandles{m_pFonts->Normal(), m_pFonts->Bold(), m_pFonts->Underline()};
}

int CListEx::TextWidth(HDC hDC, WStringView text) {
    SIZE size{};
    ::GetTextExtentPoint32W(hDC, text.data(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
}

listgeo::TextMeasure CListEx::MeasureIn(HDC hDC, HFONT hFont) {
    return [hDC, hFont](WStringView text) {
        CSelectObject font(hDC, hFont);
        return TextWidth(hDC, text);
    };
}

void CListEx::OnPaint() {
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
    Default();
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
