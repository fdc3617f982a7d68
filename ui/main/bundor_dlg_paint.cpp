// CBundorDlg: layout, background painting, the minimised icon and the system commands.
#include <windows.h>
#include <commctrl.h>

#include "res/resource.h"
#include "ui/controls/about_dlg.h"
#include "ui/main/bundor_dlg.h"
#include "ui/main/main_layout.h"

namespace {

mainlayout::Size WindowSize(const CWnd& wnd) {
    RECT rc{};
    wnd.GetWindowRect(&rc);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

using fw::Draw;
using fw::Fill;
using fw::ToRect;

void Place(const CWnd& wnd, const mainlayout::Rect& rc) {
    wnd.MoveWindow(ToRect(rc), TRUE);
}

}  // namespace

void CBundorDlg::OnSize(UINT, int, int) {
    // The client rectangle is read afresh whatever the message says.
    Layout();
}

void CBundorDlg::Layout() {
    // The dialog's own creation sends WM_SIZE before the controls exist.
    if (!m_listCategory.GetSafeHwnd() || !m_btnSelectAll.GetSafeHwnd()) return;
    RECT rcClient{};
    GetClientRect(&rcClient);
    const bool bLabels =
        m_pConfig->bCountdown && m_lblSeconds.GetSafeHwnd() && m_lblCountdown.GetSafeHwnd();

    mainlayout::Input in;
    in.nClientWidth = rcClient.right - rcClient.left;
    in.nClientHeight = rcClient.bottom - rcClient.top;
    in.bCountdown = m_pConfig->bCountdown != 0;
    if (bLabels) {
        in.nSecondsWidth = WindowSize(m_lblSeconds).cx;
        in.nCountdownWidth = WindowSize(m_lblCountdown).cx;
    }
    in.selectAll = WindowSize(m_btnSelectAll);
    in.save = WindowSize(m_btnSave);
    in.install = WindowSize(m_btnInstall);
    in.options = WindowSize(m_btnOptions);
    in.forum = WindowSize(m_btnForum);
    in.help = WindowSize(m_btnHelp);
    CListEx* pShown = m_nCurList < m_panes.Count() && m_panes.IsCreated(m_nCurList)
                          ? &m_panes.List(m_nCurList)
                          : nullptr;
    if (pShown) {
        in.nRows = pShown->GetItemCount();
        RECT rcRow{};
        if (in.nRows > 0 && pShown->GetItemRect(0, &rcRow, LVIR_BOUNDS))
            in.nRowHeight = rcRow.bottom - rcRow.top;
        const int nColumns = Header_GetItemCount(pShown->GetHeaderCtrl());
        for (int c = 1; c < nColumns; ++c) in.nOtherColumnsWidth += pShown->GetColumnWidth(c);
        in.nScrollBarWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    }
    const mainlayout::Output out = mainlayout::Compute(in);

    if (bLabels) {
        Place(m_lblSeconds, out.seconds);
        Place(m_lblCountdown, out.countdown);
    }
    Place(m_btnSelectAll, out.selectAll);
    Place(m_btnOptions, out.options);
    Place(m_btnInstall, out.install);
    Place(m_btnSave, out.save);
    Place(m_btnHelp, out.help);
    Place(m_btnForum, out.forum);
    m_btnForum.Invalidate(TRUE);
    Place(m_listCategory, out.category);
    m_listCategory.SetColumnWidth(0, mainlayout::kCategoryWidth);
    Place(m_btnPrev, out.prev);
    Place(m_btnNext, out.next);
    if (pShown) Place(*pShown, out.entries);

    m_rcEntries = ToRect(out.entries);
    m_rcCategory = ToRect(out.category);
    if (pShown) pShown->SetColumnWidth(0, out.nNameColumnWidth);
    for (const mainlayout::Rect& rc : out.repaint) {
        const RECT r = ToRect(rc);
        InvalidateRect(&r, TRUE);
    }
}

fw::Reply CBundorDlg::OnGetMinMaxInfo(MINMAXINFO* pInfo) {
    pInfo->ptMinTrackSize = POINT{mainlayout::kMinWidth, mainlayout::kMinHeight};
    return fw::PassOn();
}

BOOL CBundorDlg::OnEraseBkgnd(HDC hDC) {
    RECT rc{};
    GetClientRect(&rc);
    if (rc.right <= rc.left || rc.bottom <= rc.top) return TRUE;
    {
        // Composed off-screen and copied in one step, so that the many pieces do not flicker.
        const CMemoryDC canvas(hDC);
        const CBitmap bitmap(canvas ? ::CreateCompatibleBitmap(hDC, rc.right, rc.bottom) : nullptr);
        if (bitmap) {
            const CSelectObject select(canvas, bitmap);
            PaintBackground(canvas, rc.right, rc.bottom);
            ::BitBlt(hDC, 0, 0, rc.right, rc.bottom, canvas, 0, 0, SRCCOPY);
            return TRUE;
        }
    }
    // No buffer (the process is at its GDI quota, or short of memory): the same picture straight
    // into the window, which may flicker. What the buffer took is given back first, so that the
    // painting's own device context can be made.
    PaintBackground(hDC, rc.right, rc.bottom);
    return TRUE;
}

void CBundorDlg::PaintBackground(HDC hDC, int W, int H) const {
    const RECT rc{0, 0, W, H};
    const CMemoryDC source(nullptr);
    Fill(hDC, rc, m_crWindowBk);
    Fill(hDC, m_rcEntries, m_crPanelBk);
    // Without a device context for them the bitmaps are left out.
    if (!source) return;

    const SIZE head = m_bmpHeadLeft.GetSize();
    Draw(hDC, source, m_bmpHeadLeft, 0, 0);
    Draw(hDC, source, m_bmpHeadMid, head.cx, 0, W, head.cy);
    Draw(hDC, source, m_bmpHeadRight, W - m_bmpHeadRight.GetSize().cx, 0);

    // The 4-pixel frame is centred on the entry pane's border line.
    const RECT& e = m_rcEntries;
    Draw(hDC, source, m_bmpFrameTopLeft, e.left - 2, e.top - 2);
    Draw(hDC, source, m_bmpFrameBottomLeft, e.left - 2, e.bottom - 2);
    Draw(hDC, source, m_bmpFrameTopRight, e.right - 2, e.top - 2);
    Draw(hDC, source, m_bmpFrameBottomRight, e.right - 2, e.bottom - 2);
    Draw(hDC, source, m_bmpFrameTop, e.left, e.top - 2, e.right - e.left,
         m_bmpFrameTop.GetSize().cy);
    Draw(hDC, source, m_bmpFrameBottom, e.left, e.bottom - 2, e.right - e.left,
         m_bmpFrameBottom.GetSize().cy);
    Draw(hDC, source, m_bmpFrameLeft, e.left - 2, e.top, m_bmpFrameLeft.GetSize().cx,
         e.bottom - e.top);
    Draw(hDC, source, m_bmpFrameRight, e.right - 2, e.top, m_bmpFrameRight.GetSize().cx,
         e.bottom - e.top);

    const RECT& c = m_rcCategory;
    const SIZE left = m_bmpCategoryLeft.GetSize();
    const SIZE right = m_bmpCategoryRight.GetSize();
    Draw(hDC, source, m_bmpCategoryLeft, c.left - left.cx, c.top, left.cx, c.bottom - c.top + 2);
    Draw(hDC, source, m_bmpCategoryRight, c.right, c.top, right.cx, c.bottom - c.top + 2);
}

fw::Reply CBundorDlg::OnPaint() {
    if (!IsIconic()) return fw::PassOn();
    CPaintDC dc(GetSafeHwnd());
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)), 0);
    RECT rc{};
    GetClientRect(&rc);
    const int x = (rc.right - rc.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rc.bottom - rc.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, m_hIcon);
    return fw::Handled();
}

HCURSOR CBundorDlg::OnQueryDragIcon() {
    return m_hIcon;
}

fw::Reply CBundorDlg::OnSysCommand(UINT nID, LPARAM) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        OnAbout();
        return fw::Handled();
    }
    if (nID == SC_CLOSE) {
        // The dialog's own cancel: this window's OnCancel does nothing.
        CDialog::OnCancel();
        return fw::Handled();
    }
    return fw::PassOn();
}

void CBundorDlg::OnAbout() {
    const CCommandScope scope(*this);
    if (!scope) return;
    CAboutDlg dlg(this);
    dlg.m_pcrBack = &m_crWindowBk;
    dlg.m_pbmpHead = &m_bmpHeadLeft;
    dlg.m_pbmpStrip = &m_bmpHeadMid;
    dlg.DoModal();
}
