#include "ui/controls/static_time.h"

CStaticTime::CStaticTime() {
    m_lf.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynW(m_lf.lfFaceName, L"宋体", LF_FACESIZE);
    m_brush.CreateSysColorBrush(COLOR_BTNFACE);
}

void CStaticTime::Repaint() const {
    // Without a window there is nothing to repaint (a null window would mean the desktop).
    if (GetSafeHwnd()) Invalidate(TRUE);
}

void CStaticTime::SetText(LPCWSTR pszText) {
    m_strText = pszText;
    Repaint();
}

void CStaticTime::SetFontHeight(LONG nHeight) {
    m_lf.lfHeight = nHeight;
    Repaint();
}

void CStaticTime::SetFontWeight(LONG nWeight) {
    m_lf.lfWeight = nWeight;
    Repaint();
}

void CStaticTime::SetTextColor(COLORREF crText) {
    m_crText = crText;
    Repaint();
}

void CStaticTime::OnPaint() {
    CPaintDC dc(GetSafeHwnd());
    RECT rc{};
    GetClientRect(&rc);
    CFont font;
    font.CreateFontIndirect(&m_lf);
    CSelectObject select(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, m_crText);
    if (m_strText.IsEmpty()) GetWindowText(m_strText);
    ::DrawTextW(dc, m_strText, -1, &rc, 0);
}

HBRUSH CStaticTime::OnCtlColor(HDC, HWND) {
    return m_brush;
}
