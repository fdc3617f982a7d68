// Helpers of the control tests: pixels read back from windows and bitmaps, off-screen drawing,
// real mouse input, a host dialog that records its commands, timed steps inside a modal loop,
// object counts.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fw/dialog.h"
#include "fw/gdi.h"
#include "tests/win/fw_test_support.h"
#include "tests/win/gui_object_count.h"
#include "ui/controls/static_time.h"

namespace uitest {

// --- pixels ---------------------------------------------------------------------------------

class Pixels {
public:
    Pixels() = default;
    Pixels(int cx, int cy) : m_cx(cx), m_cy(cy), m_px(static_cast<size_t>(cx) * cy, 0) {}

    // What a device context shows in rc (the DC's own coordinates).
    static Pixels FromDC(HDC hDC, const RECT& rc) {
        Pixels p(rc.right - rc.left, rc.bottom - rc.top);
        if (p.m_cx <= 0 || p.m_cy <= 0) return Pixels{};
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = p.m_cx;
        bi.bmiHeader.biHeight = -p.m_cy;  // top-down
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        const HBITMAP dib = ::CreateDIBSection(hDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        const HDC mem = ::CreateCompatibleDC(hDC);
        const HGDIOBJ old = ::SelectObject(mem, dib);
        ::BitBlt(mem, 0, 0, p.m_cx, p.m_cy, hDC, rc.left, rc.top, SRCCOPY);
        ::GdiFlush();
        p.TakeBgra(static_cast<const std::uint32_t*>(bits));
        ::SelectObject(mem, old);
        ::DeleteDC(mem);
        ::DeleteObject(dib);
        return p;
    }
    // The client area of a window as it is on the screen (rc: part of it, client coordinates).
    static Pixels FromWindow(HWND hWnd, const RECT* pRect = nullptr) {
        RECT rc{};
        if (pRect)
            rc = *pRect;
        else
            ::GetClientRect(hWnd, &rc);
        const HDC hDC = ::GetDC(hWnd);
        Pixels p = FromDC(hDC, rc);
        ::ReleaseDC(hWnd, hDC);
        return p;
    }
    // The whole window, frame and caption included.
    static Pixels FromWindowFrame(HWND hWnd) {
        RECT rc{};
        ::GetWindowRect(hWnd, &rc);
        ::OffsetRect(&rc, -rc.left, -rc.top);
        const HDC hDC = ::GetWindowDC(hWnd);
        Pixels p = FromDC(hDC, rc);
        ::ReleaseDC(hWnd, hDC);
        return p;
    }
    static Pixels FromBitmap(HBITMAP hBitmap) {
        BITMAP bm{};
        if (!::GetObjectW(hBitmap, sizeof bm, &bm)) return Pixels{};
        const HDC screen = ::GetDC(nullptr);
        const HDC src = ::CreateCompatibleDC(screen);
        const HGDIOBJ old = ::SelectObject(src, hBitmap);
        Pixels p = FromDC(src, RECT{0, 0, bm.bmWidth, bm.bmHeight});
        ::SelectObject(src, old);
        ::DeleteDC(src);
        ::ReleaseDC(nullptr, screen);
        return p;
    }

    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    bool Empty() const { return m_px.empty(); }
    COLORREF At(int x, int y) const { return m_px[static_cast<size_t>(y) * m_cx + x]; }
    void Set(int x, int y, COLORREF cr) { m_px[static_cast<size_t>(y) * m_cx + x] = cr; }

    // True when `part` appears at (x, y) of this picture, pixel for pixel.
    bool Contains(const Pixels& part, int x, int y) const {
        if (x < 0 || y < 0 || x + part.m_cx > m_cx || y + part.m_cy > m_cy) return false;
        for (int j = 0; j < part.m_cy; ++j)
            for (int i = 0; i < part.m_cx; ++i)
                if (At(x + i, y + j) != part.At(i, j)) return false;
        return true;
    }
    int Count(const std::function<bool(COLORREF)>& pred) const {
        int n = 0;
        for (COLORREF c : m_px) n += pred(c) ? 1 : 0;
        return n;
    }
    int Count(COLORREF cr) const {
        return Count([cr](COLORREF c) { return c == cr; });
    }
    // The smallest rectangle around the pixels that satisfy pred (empty when none does).
    RECT Bounds(const std::function<bool(COLORREF)>& pred) const {
        RECT rc{m_cx, m_cy, 0, 0};
        for (int y = 0; y < m_cy; ++y)
            for (int x = 0; x < m_cx; ++x)
                if (pred(At(x, y))) {
                    rc.left = std::min<LONG>(rc.left, x);
                    rc.top = std::min<LONG>(rc.top, y);
                    rc.right = std::max<LONG>(rc.right, x + 1);
                    rc.bottom = std::max<LONG>(rc.bottom, y + 1);
                }
        if (rc.right == 0) rc = RECT{0, 0, 0, 0};
        return rc;
    }
    Pixels Crop(const RECT& rc) const {
        Pixels p(rc.right - rc.left, rc.bottom - rc.top);
        for (int y = 0; y < p.m_cy; ++y)
            for (int x = 0; x < p.m_cx; ++x) p.Set(x, y, At(rc.left + x, rc.top + y));
        return p;
    }
    bool operator==(const Pixels& o) const {
        return m_cx == o.m_cx && m_cy == o.m_cy && m_px == o.m_px;
    }

private:
    void TakeBgra(const std::uint32_t* bits) {
        for (size_t i = 0; i < m_px.size(); ++i) {
            const std::uint32_t v = bits[i];
            m_px[i] = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
        }
    }
    int m_cx = 0, m_cy = 0;
    std::vector<COLORREF> m_px;
};

// --- off-screen drawing ----------------------------------------------------------------------

// Paints rc of a device context in one colour, which stays its background colour.
inline void Fill(HDC hDC, const RECT& rc, COLORREF cr) {
    ::SetBkColor(hDC, cr);
    ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
}

// WM_ERASEBKGND of a window whose client area is all one colour: TRUE, erased.
inline BOOL EraseBackground(HWND hWnd, HDC hDC, COLORREF cr) {
    RECT rc{};
    ::GetClientRect(hWnd, &rc);
    Fill(hDC, rc, cr);
    return TRUE;
}

inline HBITMAP ScreenBitmap(int cx, int cy) {
    const HDC screen = ::GetDC(nullptr);
    const HBITMAP hbm = ::CreateCompatibleBitmap(screen, cx, cy);
    ::ReleaseDC(nullptr, screen);
    return hbm;
}

// A memory device context with a screen bitmap of cx x cy selected into it.
class Canvas {
public:
    Canvas(int cx, int cy)
        : m_rc{0, 0, cx, cy}, m_bitmap(ScreenBitmap(cx, cy)), m_select(m_dc, m_bitmap) {}
    operator HDC() const { return m_dc; }
    HBITMAP Bitmap() const { return m_bitmap; }
    const RECT& Rect() const { return m_rc; }
    Pixels Read() const { return Pixels::FromDC(m_dc, m_rc); }

private:
    RECT m_rc;
    CMemoryDC m_dc{nullptr};
    CBitmap m_bitmap;
    CSelectObject m_select;
};

// A bitmap of one colour with a marker pixel in its top-left corner, for telling images apart.
inline HBITMAP MakeBitmap(int cx, int cy, COLORREF fill, COLORREF marker) {
    const HBITMAP hbm = ScreenBitmap(cx, cy);
    const CMemoryDC mem(nullptr);
    const CSelectObject select(mem, hbm);
    Fill(mem, RECT{0, 0, cx, cy}, fill);
    ::SetPixel(mem, 0, 0, marker);
    return hbm;
}

inline HBITMAP LoadResBitmap(UINT nID) {
    return ::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nID));
}

// --- input ----------------------------------------------------------------------------------

// Real mouse input through the system's input queue, in screen coordinates.
namespace detail {
inline std::optional<POINT>& LastMouseTarget() {
    static std::optional<POINT> pt;
    return pt;
}
inline INPUT AbsoluteMove(POINT pt) {
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    // The smallest normalised value that lands on the pixel.
    in.mi.dx = static_cast<LONG>((static_cast<long long>(pt.x) * 65536 + cx - 1) / cx);
    in.mi.dy = static_cast<LONG>((static_cast<long long>(pt.y) * 65536 + cy - 1) / cy);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return in;
}
}  // namespace detail
inline void MouseTo(POINT pt) {
    detail::LastMouseTarget() = pt;
    INPUT in = detail::AbsoluteMove(pt);
    ::SendInput(1, &in, sizeof in);
}
// A button or wheel event at the point the pointer was last sent to. The event carries that
// point itself: under Wine a late pointer event from the X server can move the pointer back
// between the move and the press, and the click would land where the pointer was before.
inline void MouseInput(DWORD dwFlags, DWORD dwData = 0) {
    INPUT in{};
    if (const auto& pt = detail::LastMouseTarget()) in = detail::AbsoluteMove(*pt);
    in.type = INPUT_MOUSE;
    in.mi.dwFlags |= dwFlags;
    in.mi.mouseData = dwData;
    ::SendInput(1, &in, sizeof in);
}
inline void MouseButton(bool bDown) {
    MouseInput(bDown ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
}
// Real key strokes: the keys go down in order and come up in reverse, so that {VK_MENU, VK_F4}
// is Alt+F4.
inline void Keys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> in;
    for (WORD vk : keys) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
        in.push_back(i);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = *--it;
        i.ki.dwFlags = KEYEVENTF_KEYUP;
        in.push_back(i);
    }
    ::SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}
// The centre of a window (or a point of its client area) on the screen.
inline POINT ScreenPoint(HWND hWnd, int x = -1, int y = -1) {
    RECT rc{};
    ::GetClientRect(hWnd, &rc);
    POINT pt{x < 0 ? rc.right / 2 : x, y < 0 ? rc.bottom / 2 : y};
    ::ClientToScreen(hWnd, &pt);
    return pt;
}

// --- timed steps inside a modal loop --------------------------------------------------------

// Runs steps one after the other from a thread timer, so that the modal loop that the test
// starts next handles all input and painting in between. Each step starts `delay` ms after
// the previous one, and when it has a `ready` condition, not before that holds (or two
// seconds have passed: the step's own checks then fail). onTimeout runs when the steps are
// not done after timeoutMs.
class Script {
public:
    struct Step {
        DWORD delay;
        std::function<void()> action;
        std::function<bool()> ready = nullptr;
    };
    Script(std::vector<Step> steps, std::function<void()> onTimeout, DWORD timeoutMs = 20000)
        : m_steps(std::move(steps)), m_onTimeout(std::move(onTimeout)) {
        Current() = this;
        const ULONGLONG now = ::GetTickCount64();
        m_deadline = now + timeoutMs;
        if (!m_steps.empty()) Arm(now);
        m_timer = ::SetTimer(nullptr, 0, 10, &Script::OnTimer);
    }
    ~Script() {
        if (m_timer) ::KillTimer(nullptr, m_timer);
        if (Current() == this) Current() = nullptr;
    }
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    bool Done() const { return m_index >= m_steps.size(); }
    bool TimedOut() const { return m_bTimedOut; }

private:
    static constexpr DWORD kReadyWait = 2000;

    static Script*& Current() {
        thread_local Script* s = nullptr;
        return s;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        Script* s = Current();
        if (!s || s->m_bBusy) return;
        s->m_bBusy = true;
        s->Tick();
        s->m_bBusy = false;
    }
    void Arm(ULONGLONG now) {
        m_next = now + m_steps[m_index].delay;
        m_giveUp = m_next + kReadyWait;
    }
    void Tick() {
        if (Done()) return;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= m_deadline) {
            m_bTimedOut = true;
            m_index = m_steps.size();
            if (m_onTimeout) m_onTimeout();
            return;
        }
        if (now < m_next) return;
        const Step& step = m_steps[m_index];
        if (step.ready && !step.ready()) {
            if (now < m_giveUp) return;
            ReportGiveUp();
        }
        ++m_index;
        step.action();
        if (!Done()) Arm(::GetTickCount64());
    }

    // Says where the pointer is and what lies under it, for the failure that follows.
    void ReportGiveUp() const {
        POINT pt{};
        ::GetCursorPos(&pt);
        const HWND hUnder = ::WindowFromPoint(pt);
        wchar_t cls[64] = {};
        ::GetClassNameW(hUnder, cls, 64);
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hUnder, &pid);
        std::fwprintf(stderr,
                      L"step %zu not ready: pointer at %ld,%ld over %p (%ls, process %lu%ls)\n",
                      m_index, pt.x, pt.y, static_cast<void*>(hUnder), cls, pid,
                      pid == ::GetCurrentProcessId() ? L", this one" : L"");
    }

    std::vector<Step> m_steps;
    std::function<void()> m_onTimeout;
    size_t m_index = 0;
    ULONGLONG m_next = 0, m_giveUp = 0, m_deadline = 0;
    UINT_PTR m_timer = 0;
    bool m_bBusy = false;
    bool m_bTimedOut = false;
};

// --- a dialog to hold controls --------------------------------------------------------------

// A topmost dialog at a fixed place of the screen whose client area is painted in one colour.
// It records every WM_COMMAND that reaches its own handling (after the control's reflection)
// for the control ids 1001 to 1004.
class HostDlg : public CDialog {
public:
    using Init = std::function<void(HostDlg&)>;
    HostDlg(RECT rcScreen, COLORREF crBack, Init init)
        : CDialog(Template().Get()), m_rc(rcScreen), m_crBack(crBack), m_init(std::move(init)) {}

    std::vector<std::pair<UINT, UINT>> m_commands;  // (id, notification code)
    // Called for each of them as it arrives.
    std::function<void(UINT nID, UINT nCode)> m_onCommand;
    int Clicks(UINT nID) const {
        int n = 0;
        for (const auto& c : m_commands) n += (c.first == nID && c.second == BN_CLICKED) ? 1 : 0;
        return n;
    }
    // Repaints the whole dialog, children included, at once.
    void Redraw() const {
        ::RedrawWindow(GetSafeHwnd(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }

protected:
    BOOL OnInitDialog() override {
        SetWindowPos(HWND_TOPMOST, m_rc.left, m_rc.top, m_rc.right - m_rc.left,
                     m_rc.bottom - m_rc.top, SWP_NOACTIVATE);
        if (m_init) m_init(*this);
        return TRUE;
    }
    bool ProcessMessageTable(fw::MsgContext& ctx) override {
        return ctx.Run(*this, kMessages) || CDialog::ProcessMessageTable(ctx);
    }

private:
    static const fwtest::DialogTemplate& Template() {
        static const fwtest::DialogTemplate t(WS_POPUP | WS_CAPTION | DS_SETFONT, 100, 60, L"控件",
                                              {});
        return t;
    }
    template <UINT Id, UINT Code>
    void OnCommandOf() {
        m_commands.emplace_back(Id, Code);
        if (m_onCommand) m_onCommand(Id, Code);
    }
    BOOL OnEraseBkgnd(HDC hDC) { return EraseBackground(GetSafeHwnd(), hDC, m_crBack); }
    static constexpr fw::MsgEntry kMessages[] = {
        fw::Msg<WM_ERASEBKGND, &HostDlg::OnEraseBkgnd>,
        fw::CmdCode<1001, BN_CLICKED, &HostDlg::OnCommandOf<1001, BN_CLICKED>>,
        fw::CmdCode<1002, BN_CLICKED, &HostDlg::OnCommandOf<1002, BN_CLICKED>>,
        fw::CmdCode<1003, BN_CLICKED, &HostDlg::OnCommandOf<1003, BN_CLICKED>>,
        fw::CmdCode<1004, BN_CLICKED, &HostDlg::OnCommandOf<1004, BN_CLICKED>>,
        fw::CmdCode<1001, BN_DOUBLECLICKED, &HostDlg::OnCommandOf<1001, BN_DOUBLECLICKED>>,
        fw::CmdCode<1002, BN_DOUBLECLICKED, &HostDlg::OnCommandOf<1002, BN_DOUBLECLICKED>>,
    };

    RECT m_rc;
    COLORREF m_crBack;
    Init m_init;
};

// Runs a dialog modally while the steps run; ends it with 0 after the last step, or with -2
// (and a test failure) when the steps take too long.
// The pointer is parked in the screen's top-left corner first, away from the windows that are
// about to appear, so that none of them starts hovered.
inline INT_PTR RunModal(CDialog& dlg, std::vector<Script::Step> steps, DWORD timeoutMs = 20000) {
    MouseTo(POINT{2, 2});
    fwtest::Pump();
    steps.push_back({50, [&dlg] { dlg.EndDialog(0); }});
    Script script(
        std::move(steps), [&dlg] { dlg.EndDialog(-2); }, timeoutMs);
    return dlg.DoModal();
}

// --- controls as the main window makes them -------------------------------------------------

// The countdown labels: the seconds in bold red, and the text after them in bold gold.
inline void CreateCountdownLabels(CStaticTime& seconds, CStaticTime& text, CWnd& parent,
                                  const RECT& rcSeconds, const RECT& rcText) {
    seconds.Create(L"10", WS_CHILD | WS_VISIBLE, rcSeconds, &parent, 1008);
    seconds.SetFontHeight(14);
    seconds.SetFontWeight(FW_BOLD);
    seconds.SetTextColor(RGB(255, 0, 0));
    text.Create(L"秒钟后开始自动安装!", WS_CHILD | WS_VISIBLE, rcText, &parent, 1009);
    text.SetFontHeight(12);
    text.SetFontWeight(FW_BOLD);
    text.SetTextColor(RGB(255, 204, 0));
}

// --- object counts --------------------------------------------------------------------------

using ::GdiObjectCount;
using ::UserObjectCount;

}  // namespace uitest
