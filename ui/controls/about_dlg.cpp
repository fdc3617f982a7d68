#include "ui/controls/about_dlg.h"

#include "res/resource.h"
#include "ui/controls/forum_address.h"

namespace {

constexpr wchar_t kLinkPrefix[] = L"欢迎访问Norvane技术论坛 ";
constexpr wchar_t kLinkTip[] = L"Norvane 创造无限";
constexpr wchar_t kCloseTip[] = L"关闭窗口";
constexpr wchar_t kNotice[] = L"版权所有 (C) Norvane";
constexpr COLORREF kLinkText = RGB(255, 255, 255);
constexpr COLORREF kLinkTextActive = RGB(204, 204, 204);  // hovered, pressed or focused
constexpr COLORREF kNoticeText = RGB(255, 255, 255);
constexpr POINT kNoticeAt{30, 135};
constexpr RECT kLinkRect{30, 90, 180, 130};
constexpr RECT kCloseRect{225, 125, 308, 153};  // the close images' own 83 x 28

}  // namespace

CAboutDlg::CAboutDlg(CWnd* pParentWnd) : CDialog(IDD_ABOUTBOX, pParentWnd) {}

BOOL CAboutDlg::OnInitDialog() {
    MoveWindow(0, 0, kWidth, kHeight, FALSE);
    CenterWindow();
    const HFONT hFont = GetFont();

    const CString strLink = CString(kLinkPrefix) + kForumHomePage;
    m_btnLink.Create(strLink, WS_CHILD | WS_VISIBLE, kLinkRect, this, IDC_ABOUT_LINK);
    m_btnLink.SetFont(hFont, TRUE);
    // Without the skin's colour the buttons keep the system's colours: white text on the
    // system background would not be read.
    if (m_pcrBack) {
        m_btnLink.SetBackColor(*m_pcrBack);
        m_btnLink.SetColor(CButtonST::BTNST_COLOR_FG_IN, kLinkTextActive);
        m_btnLink.SetColor(CButtonST::BTNST_COLOR_FG_OUT, kLinkText);
        m_btnLink.SetColor(CButtonST::BTNST_COLOR_FG_FOCUS, kLinkTextActive);
    }
    m_btnLink.SetTipText(kLinkTip);
    m_btnLink.SetLink(kForumHomePage);

    m_btnClose.Create(L"&C", WS_CHILD | WS_VISIBLE | WS_TABSTOP, kCloseRect, this, IDOK);
    m_btnClose.SetFont(hFont, TRUE);
    m_btnClose.SetImages(IDB_CLOSE_IN, IDB_CLOSE_OUT);
    if (m_pcrBack) m_btnClose.SetBackColor(*m_pcrBack);
    m_btnClose.SetTipText(kCloseTip);
    return TRUE;
}

fw::Reply CAboutDlg::OnEraseBkgnd(HDC hDC) {
    if (!m_pcrBack || !m_pbmpHead || !m_pbmpHead->GetSafeHandle()) return fw::PassOn();

    RECT rc{};
    GetClientRect(&rc);
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    // Composed off-screen and copied in one step, so that nothing flickers.
    CMemoryDC dcMem(hDC);
    CBitmap bmpMem(::CreateCompatibleBitmap(hDC, cx, cy));
    CSelectObject selectMem(dcMem, bmpMem);
    CMemoryDC dcImage(hDC);

    ::SetBkColor(dcMem, *m_pcrBack);
    ::ExtTextOutW(dcMem, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);

    const SIZE szHead = m_pbmpHead->GetSize();
    {
        CSelectObject select(dcImage, *m_pbmpHead);
        ::BitBlt(dcMem, 0, 0, szHead.cx, szHead.cy, dcImage, 0, 0, SRCCOPY);
    }
    if (m_pbmpStrip && m_pbmpStrip->GetSafeHandle() && cx > szHead.cx) {
        const SIZE szStrip = m_pbmpStrip->GetSize();
        CSelectObject select(dcImage, *m_pbmpStrip);
        ::StretchBlt(dcMem, szHead.cx, 0, cx - szHead.cx, szHead.cy, dcImage, 0, 0, szStrip.cx,
                     szStrip.cy, SRCCOPY);
    }

    {
        CSelectObject selectFont(dcMem, GetFont());
        ::SetBkMode(dcMem, TRANSPARENT);
        ::SetTextColor(dcMem, kNoticeText);
        ::TextOutW(dcMem, kNoticeAt.x, kNoticeAt.y, kNotice, static_cast<int>(wcslen(kNotice)));
    }

    ::BitBlt(hDC, 0, 0, cx, cy, dcMem, 0, 0, SRCCOPY);
    return fw::Handled(TRUE);
}
