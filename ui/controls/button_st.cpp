#include "ui/controls/button_st.h"

#include <commctrl.h>

#include <utility>

#include "fw/gdi.h"

namespace {

// The bits of the button style that carry its type, as the button is re-typed to owner-drawn.
constexpr UINT kTypeBits = 0x1F;

CButtonST::ShellExecuteExProc g_pfnShellExecuteEx = &::ShellExecuteExW;

int Width(const RECT& rc) {
    return rc.right - rc.left;
}
int Height(const RECT& rc) {
    return rc.bottom - rc.top;
}

}  // namespace

CButtonST::CButtonST() {
    SetDefaultColors();
}

CButtonST::~CButtonST() = default;

CButtonST::ShellExecuteExProc CButtonST::SetShellExecuteProc(ShellExecuteExProc pfn) {
    const ShellExecuteExProc previous = g_pfnShellExecuteEx;
    g_pfnShellExecuteEx = pfn ? pfn : &::ShellExecuteExW;
    return previous;
}

void CButtonST::SetDefaultColors() {
    const COLORREF crFace = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF crText = ::GetSysColor(COLOR_BTNTEXT);
    for (int i = 0; i < BTNST_MAX_COLORS; i += 2) {
        m_colors[i] = crFace;
        m_colors[i + 1] = crText;
    }
}

void CButtonST::Repaint() const {
    if (GetSafeHwnd()) Invalidate(TRUE);
}

void CButtonST::CancelHover() {
    if (!m_bHover) return;
    m_bHover = FALSE;
    Repaint();
}

void CButtonST::PreSubclassWindow() {
    const UINT type = GetStyle() & BS_TYPEMASK;
    // The check-box kinds keep a tick. (The bit of value 2 alone would also take a group box,
    // or a button that is owner-drawn already, for a check box.)
    m_bCheckBox = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
                  type == BS_AUTO3STATE;
    if (type == BS_DEFPUSHBUTTON) m_bDefaultButton = TRUE;
    ModifyStyle(kTypeBits, BS_OWNERDRAW, SWP_FRAMECHANGED);
}

// --- images, tooltip, link ------------------------------------------------------------------

int CButtonST::SetImages(CBitmap&& bmpIn, CBitmap&& bmpOut) {
    // Taken whatever happens: what is not kept is deleted on the way out.
    CBitmap in(std::move(bmpIn)), out(std::move(bmpOut));
    // One object handed over twice is kept, and deleted, once.
    if (out.GetSafeHandle() == in.GetSafeHandle()) out.Detach();
    // An image held so far that comes back (a borrowed handle wrapped again) is not deleted
    // under the new owner.
    for (Image* pHeld : {&m_imgIn, &m_imgOut}) {
        const HBITMAP h = pHeld->bitmap.GetSafeHandle();
        if (h && (h == in.GetSafeHandle() || h == out.GetSafeHandle())) pHeld->bitmap.Detach();
    }
    m_imgIn = Image{};
    m_imgOut = Image{};
    int result = 0;
    // Without an In image there is nothing to show.
    if (in.GetSafeHandle()) {
        const SIZE sizeIn = in.GetSize();
        const SIZE sizeOut = out.GetSize();
        if (sizeIn.cx == 0 || (out.GetSafeHandle() && sizeOut.cx == 0)) {
            result = 1;
        } else {
            m_imgIn = Image{std::move(in), sizeIn};
            if (out.GetSafeHandle()) m_imgOut = Image{std::move(out), sizeOut};
        }
    }
    Repaint();
    return result;
}

int CButtonST::SetImages(UINT nIDIn, UINT nIDOut) {
    return SetImages(nIDIn ? fw::LoadModuleBitmap(nIDIn) : CBitmap{},
                     nIDOut ? fw::LoadModuleBitmap(nIDOut) : CBitmap{});
}

void CButtonST::SetColor(int nSlot, COLORREF cr) {
    if (nSlot < 0 || nSlot >= BTNST_MAX_COLORS) return;
    m_colors[nSlot] = cr;
}

void CButtonST::SetBackColor(COLORREF cr) {
    for (int slot : {BTNST_COLOR_BK_IN, BTNST_COLOR_BK_OUT, BTNST_COLOR_BK_FOCUS})
        SetColor(slot, cr);
}

void CButtonST::InitToolTip() {
    if (m_tip.GetSafeHwnd() || !GetSafeHwnd()) return;
    if (!m_tip.Create(this, 0)) return;
    m_tip.Activate(FALSE);
    m_tip.SetMaxTipWidth(400);
}

void CButtonST::SetTipText(LPCWSTR pszText) {
    if (!pszText) return;
    InitToolTip();
    if (!m_tip.GetSafeHwnd()) return;
    if (m_tip.GetToolCount() == 0) {
        RECT rc{};
        GetClientRect(&rc);
        m_tip.AddTool(this, pszText, &rc, 1);
    }
    m_tip.UpdateTipText(pszText, this, 1);
    m_tip.Activate(TRUE);
}

BOOL CButtonST::SetLink(LPCWSTR pszLink) {
    m_szLink[0] = L'\0';
    if (!pszLink) return TRUE;
    const size_t nLength = ::wcsnlen(pszLink, kMaxLink);
    // A cut address would open some other page: a link that does not fit is no link.
    if (nLength >= static_cast<size_t>(kMaxLink)) return FALSE;
    ::wmemcpy(m_szLink, pszLink, nLength);
    m_szLink[nLength] = L'\0';
    return TRUE;
}

BOOL CButtonST::PreTranslateMessage(MSG* pMsg) {
    InitToolTip();
    if (m_tip.GetSafeHwnd()) m_tip.RelayEvent(pMsg);
    // An owner-drawn button turns a double click into BN_DOUBLECLICKED, not a second click.
    if (pMsg->message == WM_LBUTTONDBLCLK) pMsg->message = WM_LBUTTONDOWN;
    return CButton::PreTranslateMessage(pMsg);
}

// --- messages ------------------------------------------------------------------------------

void CButtonST::OnMouseMove(UINT nFlags, POINT point) {
    Default();
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    // Pressing outside and dragging in does not light the button.
    if ((nFlags & MK_LBUTTON) && !m_bHover) return;
    POINT ptScreen = point;
    ClientToScreen(&ptScreen);
    if (::WindowFromPoint(ptScreen) == GetSafeHwnd()) {
        if (m_bHover) return;
        m_bHover = TRUE;
        Repaint();
        TRACKMOUSEEVENT tme{};
        tme.cbSize = sizeof tme;
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = GetSafeHwnd();
        ::_TrackMouseEvent(&tme);
    } else {
        CancelHover();
    }
}

fw::Reply CButtonST::OnSetCursor(HWND, UINT nHitTest, UINT) {
    // The hand from the first move on, without the class's arrow flashing between moves.
    if (nHitTest != HTCLIENT) return fw::PassOn();
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return fw::Handled(TRUE);
}

void CButtonST::OnMouseLeave() {
    Default();
    CancelHover();
}

void CButtonST::OnKillFocus(HWND) {
    Default();
    CancelHover();
}

void CButtonST::OnCancelMode() {
    Default();
    CancelHover();
}

void CButtonST::OnActivate(UINT nState, HWND, BOOL) {
    Default();
    if (nState == WA_INACTIVE) CancelHover();
}

UINT CButtonST::OnGetDlgCode(MSG*) {
    const UINT code = static_cast<UINT>(Default());
    return code | (m_bDefaultButton ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

void CButtonST::OnSetStyle(UINT nStyle, BOOL bRedraw) {
    const UINT type = nStyle & BS_TYPEMASK;
    if (type == BS_DEFPUSHBUTTON)
        m_bDefaultButton = TRUE;
    else if (type == BS_PUSHBUTTON)
        m_bDefaultButton = FALSE;
    // The dialog manager moves the default push button around with this message: the button
    // stays owner-drawn whatever type it is given.
    DefWindowProc(BM_SETSTYLE, (nStyle & ~kTypeBits) | BS_OWNERDRAW, bRedraw);
}

void CButtonST::OnSetCheck(UINT nCheck) {
    if (m_bCheckBox) {
        m_nChecked = (nCheck == BST_CHECKED || nCheck == BST_INDETERMINATE) ? 1 : 0;
        Repaint();
    }
}

void CButtonST::OnSysColorChange() {
    Default();
    SetDefaultColors();
    Repaint();
}

HBRUSH CButtonST::OnCtlColor(HDC, HWND) {
    // The button's own erase then paints nothing: DrawItem covers every pixel.
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

fw::Reply CButtonST::OnClicked() {
    SetFocus();
    if (m_bCheckBox) {
        m_nChecked = m_nChecked ? 0 : 1;
        Repaint();
    } else if (m_szLink[0]) {
        SHELLEXECUTEINFOW sei{};
        sei.cbSize = sizeof sei;
        sei.fMask = SEE_MASK_FLAG_NO_UI;
        sei.lpVerb = L"open";
        sei.lpFile = m_szLink;
        sei.nShow = SW_SHOWMAXIMIZED;
        g_pfnShellExecuteEx(&sei);
    }
    // The parent gets its BN_CLICKED as usual.
    return fw::PassOn();
}

// --- drawing -------------------------------------------------------------------------------

void CButtonST::DrawItem(DRAWITEMSTRUCT* pDIS) {
    const HDC hDC = pDIS->hDC;
    const RECT rcItem = pDIS->rcItem;
    const bool bSelected = (pDIS->itemState & ODS_SELECTED) != 0;
    m_bPressed = m_bCheckBox ? (bSelected || m_nChecked == 1) : bSelected;
    m_bFocused = (pDIS->itemState & ODS_FOCUS) != 0;

    const int nSaved = ::SaveDC(hDC);
    DrawBackground(hDC, rcItem);
    CString strCaption;
    GetWindowText(strCaption);
    RECT rcCaption = rcItem;
    if (m_imgIn.bitmap.GetSafeHandle()) DrawImage(hDC, rcItem, !strCaption.IsEmpty(), &rcCaption);
    if (!strCaption.IsEmpty()) DrawCaption(hDC, strCaption, rcCaption);
    // No focus rectangle: the focus shows through the focus colours alone.
    ::RestoreDC(hDC, nSaved);
}

void CButtonST::DrawBackground(HDC hDC, const RECT& rcItem) {
    const COLORREF cr = (m_bHover || m_bPressed) ? m_colors[BTNST_COLOR_BK_IN]
                        : m_bFocused             ? m_colors[BTNST_COLOR_BK_FOCUS]
                                                 : m_colors[BTNST_COLOR_BK_OUT];
    ::SetBkColor(hDC, cr);
    ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rcItem, nullptr, 0, nullptr);
}

void CButtonST::DrawImage(HDC hDC, const RECT& rcItem, bool bHasCaption, RECT* pCaption) {
    const bool bUseOut =
        m_imgOut.bitmap.GetSafeHandle() && !m_bPressed && (m_bCheckBox || !m_bHover);
    const Image& img = bUseOut ? m_imgOut : m_imgIn;

    int x = rcItem.left;
    if (bHasCaption)
        pCaption->left += img.size.cx + 3;
    else
        x += (Width(rcItem) - img.size.cx) / 2;
    int y = rcItem.top + (Height(rcItem) - img.size.cy) / 2;
    if (m_bPressed && !m_bCheckBox) {
        ++x;
        ++y;
    }

    CMemoryDC dcImage(hDC);
    fw::Draw(hDC, dcImage, img.bitmap, x, y);
}

void CButtonST::DrawCaption(HDC hDC, const wchar_t* pszText, RECT rcCaption) {
    // An image as wide as the button leaves no room: the caption then only carries the access
    // key (DrawText would still put its first letters somewhere over the image).
    if (rcCaption.right <= rcCaption.left) return;
    if (m_bPressed && !m_bCheckBox) ::OffsetRect(&rcCaption, 1, 1);
    if (const HFONT hFont = GetFont()) ::SelectObject(hDC, hFont);

    // Measured for its height, the text block is drawn centred in the whole width of the room:
    // each line is centred by DT_CENTER, and the lines break where they broke when measured
    // (wrapped again into the measured width, a line that ends in a blank breaks elsewhere).
    RECT rcText = rcCaption;
    ::DrawTextW(hDC, pszText, -1, &rcText, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
    const int dy = (Height(rcCaption) - Height(rcText)) / 2;
    rcText = RECT{rcCaption.left, rcCaption.top + dy, rcCaption.right,
                  rcCaption.top + dy + Height(rcText)};

    const COLORREF cr = (m_bHover || m_bPressed) ? m_colors[BTNST_COLOR_FG_IN]
                        : m_bFocused             ? m_colors[BTNST_COLOR_FG_FOCUS]
                                                 : m_colors[BTNST_COLOR_FG_OUT];
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, cr);
    ::DrawTextW(hDC, pszText, -1, &rcText, DT_WORDBREAK | DT_CENTER);
}
