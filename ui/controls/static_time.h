// CStaticTime: a label that draws its text on a transparent background in a font height,
// weight and colour of its owner's choosing (the countdown labels of the main window).
#pragma once

#include <windows.h>

#include "fw/controls.h"
#include "fw/gdi.h"

class CStaticTime : public CStatic {
public:
    CStaticTime();

    // Each setter stores the value and repaints the whole label (with erase); the label never
    // paints its background, so the parent must repaint what lies under a shorter text.
    void SetText(LPCWSTR pszText);
    void SetFontHeight(LONG nHeight);
    void SetFontWeight(LONG nWeight);
    void SetTextColor(COLORREF crText);

    const CString& GetText() const { return m_strText; }
    const LOGFONTW& GetLogFont() const { return m_lf; }
    COLORREF GetTextColor() const { return m_crText; }

protected:
    bool ProcessMessageTable(fw::MsgContext& ctx) override {
        return ctx.Run(*this, kMessages) || CStatic::ProcessMessageTable(ctx);
    }

private:
    void Repaint() const;
    void OnPaint();
    HBRUSH OnCtlColor(HDC hDC, HWND hWnd);

    static constexpr fw::MsgEntry kMessages[] = {
        fw::Msg<WM_PAINT, &CStaticTime::OnPaint>,
        fw::Reflect<fw::kAnyCtlColor, &CStaticTime::OnCtlColor>,
    };

    // Empty: the window text is drawn (and taken over at the first paint).
    CString m_strText;
    // A font is made from it at every paint and deleted before the paint ends.
    LOGFONTW m_lf{};
    COLORREF m_crText = RGB(0, 0, 0);
    CBrush m_brush;
};
