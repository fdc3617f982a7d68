// CButtonST: the owner-drawn image button of every window: state colours, an In / Out image
// pair, an optional caption beside the image, a tooltip, a hand cursor, an optional web link,
// and a check-box mode that keeps a tick.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "fw/controls.h"
#include "fw/gdi.h"

class CButtonST : public CButton {
public:
    // Colour slots (SetColor).
    enum {
        BTNST_COLOR_BK_IN = 0,     // background while hovered or pressed
        BTNST_COLOR_FG_IN = 1,     // caption while hovered or pressed
        BTNST_COLOR_BK_OUT = 2,    // background otherwise
        BTNST_COLOR_FG_OUT = 3,    // caption otherwise
        BTNST_COLOR_BK_FOCUS = 4,  // background while focused (and not hovered or pressed)
        BTNST_COLOR_FG_FOCUS = 5,  // caption while focused (and not hovered or pressed)
        BTNST_MAX_COLORS = 6
    };
    // Room of the link buffer, terminating zero included: a link is at most 259 characters.
    static constexpr int kMaxLink = 260;

    CButtonST();
    ~CButtonST() override;

    // Takes both bitmaps in place of the ones held so far (the same handle in both counts as
    // In only). Without an In bitmap the button has no images. Returns 0, or 1 when a bitmap's
    // size cannot be read (then no image is kept and the ones given are deleted).
    int SetImages(CBitmap&& bmpIn, CBitmap&& bmpOut);
    // The same with bitmap resources of this module (0 or an unknown id: none).
    int SetImages(UINT nIDIn, UINT nIDOut);
    // One colour slot (BTNST_COLOR_*); the next paint shows it.
    void SetColor(int nSlot, COLORREF cr);
    COLORREF GetColor(int nSlot) const { return m_colors[nSlot]; }
    // The background of every state: hovered or pressed, otherwise, focused.
    void SetBackColor(COLORREF cr);
    // Sets the tooltip's text, creating the tooltip on first use. A null text does nothing.
    void SetTipText(LPCWSTR pszText);
    // The address that a click opens with the shell, or none when null or empty. An address of
    // kMaxLink characters or more is refused: the button then has no link and FALSE comes back.
    BOOL SetLink(LPCWSTR pszLink);
    LPCWSTR GetLink() const { return m_szLink; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DrawItem(DRAWITEMSTRUCT* pDIS) override;

    // How a click opens the link: ShellExecuteExW unless replaced (tests put a recorder here).
    // Returns the previous function; null restores ShellExecuteExW.
    using ShellExecuteExProc = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
    static ShellExecuteExProc SetShellExecuteProc(ShellExecuteExProc pfn);

    // The tick as kept, without a message: what BM_GETCHECK answers.
    BOOL IsChecked() const { return m_nChecked; }
    // Set from the creation style: the button is a check box.
    BOOL IsCheckBox() const { return m_bCheckBox; }
    BOOL IsHovered() const { return m_bHover; }
    BOOL IsDefaultButton() const { return m_bDefaultButton; }
    // Borrowed: the button keeps them.
    HBITMAP GetImageIn() const { return m_imgIn.bitmap.GetSafeHandle(); }
    HBITMAP GetImageOut() const { return m_imgOut.bitmap.GetSafeHandle(); }
    HWND GetToolTipHwnd() const { return m_tip.GetSafeHwnd(); }

protected:
    void PreSubclassWindow() override;
    bool ProcessMessageTable(fw::MsgContext& ctx) override {
        return ctx.Run(*this, kMessages) || CButton::ProcessMessageTable(ctx);
    }

    // The steps of DrawItem, in order; m_bHover, m_bPressed and m_bFocused hold the state of
    // the paint in progress.
    virtual void DrawBackground(HDC hDC, const RECT& rcItem);
    // Draws the image and narrows *pCaption to the room left for the caption.
    virtual void DrawImage(HDC hDC, const RECT& rcItem, bool bHasCaption, RECT* pCaption);
    virtual void DrawCaption(HDC hDC, const wchar_t* pszText, RECT rcCaption);

    BOOL m_bHover = FALSE;
    BOOL m_bPressed = FALSE;
    BOOL m_bFocused = FALSE;
    BOOL m_bDefaultButton = FALSE;

private:
    // Tick state of a check-box button (0 or 1): read it with IsChecked, set it with SetCheck.
    int m_nChecked = 0;
    struct Image {
        CBitmap bitmap;
        SIZE size{};
    };

    void SetDefaultColors();
    void InitToolTip();
    void Repaint() const;
    void CancelHover();

    void OnMouseMove(UINT nFlags, POINT point);
    fw::Reply OnSetCursor(HWND hWnd, UINT nHitTest, UINT message);
    void OnMouseLeave();
    void OnKillFocus(HWND hWndNew);
    void OnCancelMode();
    void OnActivate(UINT nState, HWND hWndOther, BOOL bMinimized);
    UINT OnGetDlgCode(MSG* pMsg);
    void OnSetStyle(UINT nStyle, BOOL bRedraw);
    void OnSetCheck(UINT nCheck);
    LRESULT OnGetCheck() { return m_nChecked; }
    void OnSysColorChange();
    HBRUSH OnCtlColor(HDC hDC, HWND hWnd);
    fw::Reply OnClicked();

    static constexpr fw::MsgEntry kMessages[] = {
        fw::Msg<WM_MOUSEMOVE, &CButtonST::OnMouseMove>,
        fw::Msg<WM_SETCURSOR, &CButtonST::OnSetCursor>,
        fw::Msg<WM_MOUSELEAVE, &CButtonST::OnMouseLeave>,
        fw::Msg<WM_KILLFOCUS, &CButtonST::OnKillFocus>,
        fw::Msg<WM_CANCELMODE, &CButtonST::OnCancelMode>,
        fw::Msg<WM_ACTIVATE, &CButtonST::OnActivate>,
        fw::Msg<WM_GETDLGCODE, &CButtonST::OnGetDlgCode>,
        fw::Msg<BM_SETSTYLE, &CButtonST::OnSetStyle>,
        fw::Msg<BM_SETCHECK, &CButtonST::OnSetCheck>,
        fw::Msg<BM_GETCHECK, &CButtonST::OnGetCheck>,
        fw::Msg<WM_SYSCOLORCHANGE, &CButtonST::OnSysColorChange>,
        fw::Reflect<fw::kAnyCtlColor, &CButtonST::OnCtlColor>,
        fw::ReflectCmd<BN_CLICKED, &CButtonST::OnClicked>,
    };

    BOOL m_bCheckBox = FALSE;
    COLORREF m_colors[BTNST_MAX_COLORS];
    CToolTipCtrl m_tip;
    wchar_t m_szLink[kMaxLink] = {};
    Image m_imgIn;
    Image m_imgOut;
};
