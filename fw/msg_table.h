// Per-class message tables: constexpr arrays of entries bound to member functions whose
// handlers take typed arguments; "handled" is kept apart from the result.
//
//   class CMyDlg : public CDialog {
//       void OnSize(UINT type, int cx, int cy);
//       void OnInstall();
//       void OnListChanged(NMLISTVIEW* pNM);
//       static constexpr fw::MsgEntry kMessages[] = {
//           fw::Msg<WM_SIZE, &CMyDlg::OnSize>,
//           fw::Cmd<1003, &CMyDlg::OnInstall>,
//           fw::Notify<1000, LVN_ITEMCHANGED, &CMyDlg::OnListChanged>,
//       };
//   protected:
//       bool ProcessMessageTable(fw::MsgContext& ctx) override {
//           return ctx.Run(*this, kMessages) || CDialog::ProcessMessageTable(ctx);
//       }
//   };
//
// A handler's return value is the message result (void gives 0). A handler that returns
// fw::Reply decides itself whether it took the message: fw::PassOn() lets later entries, the
// base class's table and finally the default processing see it. A message handler's
// parameters and result type are fixed per message by its cracker (documented at each one
// below); the compiler refuses any other signature.
#pragma once

#include <windows.h>

#include <span>
#include <tuple>
#include <type_traits>

#include "fw/msg_match.h"

class CWnd;

namespace fw {

static_assert(kCtlColorFirst == WM_CTLCOLORMSGBOX && kCtlColorLast == WM_CTLCOLORSTATIC);

// The message being handled, as the window procedure received it.
struct Message {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

struct Reply {
    bool handled = true;
    LRESULT result = 0;
};
constexpr Reply PassOn() {
    return Reply{false, 0};
}
constexpr Reply Handled(LRESULT result = 0) {
    return Reply{true, result};
}

using Thunk = Reply (*)(CWnd& self, const Message& msg);

struct MsgEntry {
    MsgKey key;
    Thunk thunk;
};

namespace detail {

template <class F>
struct HandlerTraits;
template <class C, class R, class... A>
struct HandlerTraits<R (C::*)(A...)> {
    using Class = C;
    using Return = R;
    using Args = std::tuple<A...>;
};
template <class C, class R, class... A>
struct HandlerTraits<R (C::*)(A...) noexcept> : HandlerTraits<R (C::*)(A...)> {};

template <class F>
struct FirstArg;
template <class C, class R, class A>
struct FirstArg<R (C::*)(A)> {
    using type = A;
};
template <class C, class R, class A>
struct FirstArg<R (C::*)(A) noexcept> {
    using type = A;
};

// What a handler may return: void (the message's result is 0), fw::Reply (the handler decides
// whether it took the message), or the one result type its message documents.
template <class R, class Result>
inline constexpr bool kAllowedReturn =
    std::is_void_v<R> || std::is_same_v<R, Reply> || std::is_same_v<R, Result>;

template <class R>
LRESULT ToResult(R value) {
    if constexpr (std::is_pointer_v<R>)
        return reinterpret_cast<LRESULT>(value);
    else
        return static_cast<LRESULT>(value);
}

// Calls the handler and turns what it returns into a Reply.
template <auto H, class C, class... A>
Reply Call(C& self, A... args) {
    using R = decltype((self.*H)(args...));
    if constexpr (std::is_void_v<R>) {
        (self.*H)(args...);
        return Reply{};
    } else if constexpr (std::is_same_v<R, Reply>) {
        return (self.*H)(args...);
    } else {
        return Reply{true, ToResult((self.*H)(args...))};
    }
}

// Calls a message handler whose signature must be exactly the cracker's: parameters A... and
// a return that kAllowedReturn accepts for the message's Result.
template <auto H, class Result, class... A, class C>
Reply CallExactly(C& self, A... args) {
    using Traits = HandlerTraits<decltype(H)>;
    static_assert(std::is_same_v<typename Traits::Args, std::tuple<A...>>,
                  "the handler's parameters are not the ones documented for its message");
    static_assert(kAllowedReturn<typename Traits::Return, Result>,
                  "a handler returns void, fw::Reply or its message's documented result type");
    return detail::Call<H>(self, args...);
}

inline POINT PointFrom(LPARAM l) {
    return POINT{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
}

// --- crackers: the typed arguments of each message ---------------------------------------------
//
// Each cracker below is the one signature of its message's handlers. "-> T" is the result type
// a handler may return; every handler may instead return void (result 0) or fw::Reply (to pass
// the message on with fw::PassOn()). "-> void" means the message's result is always 0.

// Any message without a cracker of its own (WM_APP + n, WM_CREATE ...):
//   LRESULT OnXxx(WPARAM wParam, LPARAM lParam)
template <UINT M, class = void>
struct Crack {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM l) {
        return CallExactly<H, LRESULT>(s, w, l);
    }
};

template <UINT... Ms>
struct OneOf {
    static constexpr bool Has(UINT m) { return ((m == Ms) || ...); }
};

// WM_PAINT, WM_CLOSE, WM_DESTROY, WM_MOUSELEAVE, WM_CANCELMODE, WM_SYSCOLORCHANGE:
//   void OnXxx()
// A handler that leaves the painting to the window's own procedure calls Default() (a paint
// handler must validate what it was asked to paint, by a CPaintDC or by Default()).
using NoArgs =
    OneOf<WM_PAINT, WM_CLOSE, WM_DESTROY, WM_MOUSELEAVE, WM_CANCELMODE, WM_SYSCOLORCHANGE>;
template <UINT M>
struct Crack<M, std::enable_if_t<NoArgs::Has(M)>> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM, LPARAM) {
        return CallExactly<H, void>(s);
    }
};
// WM_QUERYDRAGICON: HCURSOR OnQueryDragIcon(), the cursor (or icon) shown while dragging a
// minimised window; null for the default.
template <>
struct Crack<WM_QUERYDRAGICON> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM, LPARAM) {
        return CallExactly<H, HCURSOR>(s);
    }
};
// BM_GETCHECK: LRESULT OnGetCheck(), BST_CHECKED, BST_UNCHECKED or BST_INDETERMINATE.
template <>
struct Crack<BM_GETCHECK> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM, LPARAM) {
        return CallExactly<H, LRESULT>(s);
    }
};
// WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP:
//   void OnXxx(UINT nFlags, POINT point)
// nFlags: the MK_* keys and buttons down; point: in client coordinates (negative left of or
// above the client area).
using MouseArgs = OneOf<WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                        WM_RBUTTONDOWN, WM_RBUTTONUP>;
template <UINT M>
struct Crack<M, std::enable_if_t<MouseArgs::Has(M)>> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM l) {
        return CallExactly<H, void>(s, static_cast<UINT>(w), PointFrom(l));
    }
};
// WM_SETFOCUS, WM_KILLFOCUS: void OnXxx(HWND hOther), the window that loses (WM_SETFOCUS) or
// gets (WM_KILLFOCUS) the focus; may be null.
template <UINT M>
struct Crack<M, std::enable_if_t<M == WM_SETFOCUS || M == WM_KILLFOCUS>> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM) {
        return CallExactly<H, void>(s, reinterpret_cast<HWND>(w));
    }
};
// WM_CTLCOLOR* (and kAnyCtlColor for the whole family):
//   HBRUSH OnCtlColor(HDC hDC, HWND hCtl)
// hDC: the control's device context, to set its colours in; the brush paints the control's
// background (the handler's object keeps it).
template <UINT M>
struct Crack<M, std::enable_if_t<IsCtlColor(M)>> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM l) {
        return CallExactly<H, HBRUSH>(s, reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l));
    }
};
template <>
struct Crack<kAnyCtlColor> : Crack<WM_CTLCOLORSTATIC> {};
// WM_TIMER: void OnTimer(UINT_PTR nIDEvent).
template <>
struct Crack<WM_TIMER> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM) {
        return CallExactly<H, void>(s, static_cast<UINT_PTR>(w));
    }
};
// WM_SIZE: void OnSize(UINT nType, int cx, int cy), nType SIZE_*, the new client size.
template <>
struct Crack<WM_SIZE> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM l) {
        return CallExactly<H, void>(s, static_cast<UINT>(w), static_cast<int>(LOWORD(l)),
                                    static_cast<int>(HIWORD(l)));
    }
};
// WM_ERASEBKGND: BOOL OnEraseBkgnd(HDC hDC), TRUE when the background is erased.
template <>
struct Crack<WM_ERASEBKGND> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM) {
        return CallExactly<H, BOOL>(s, reinterpret_cast<HDC>(w));
    }
};
// WM_GETMINMAXINFO: void OnGetMinMaxInfo(MINMAXINFO* pInfo), to be changed in place.
template <>
struct Crack<WM_GETMINMAXINFO> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM, LPARAM l) {
        return CallExactly<H, void>(s, reinterpret_cast<MINMAXINFO*>(l));
    }
};
// WM_SYSCOMMAND: void OnSysCommand(UINT nID, LPARAM lParam), nID SC_* or a system-menu item
// of the window's own (its low four bits are the system's); lParam: the pointer position for
// a mouse choice.
template <>
struct Crack<WM_SYSCOMMAND> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM l) {
        return CallExactly<H, void>(s, static_cast<UINT>(w), l);
    }
};
// WM_ACTIVATE: void OnActivate(UINT nState, HWND hOther, BOOL bMinimized), nState WA_*;
// hOther: the window losing or gaining the activation (may be null).
template <>
struct Crack<WM_ACTIVATE> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM l) {
        return CallExactly<H, void>(s, static_cast<UINT>(LOWORD(w)), reinterpret_cast<HWND>(l),
                                    static_cast<BOOL>(HIWORD(w) != 0));
    }
};
// WM_GETDLGCODE: UINT OnGetDlgCode(MSG* pMsg), the DLGC_* keys the control wants; pMsg: the
// key message asked about, or null.
template <>
struct Crack<WM_GETDLGCODE> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM, LPARAM l) {
        return CallExactly<H, UINT>(s, reinterpret_cast<MSG*>(l));
    }
};
// WM_NCCALCSIZE: LRESULT OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* pParams), 0 or
// WVR_* flags; pParams->rgrc[0] becomes the client area (with !bCalcValidRects it is the only
// rectangle, a RECT*).
template <>
struct Crack<WM_NCCALCSIZE> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM l) {
        return CallExactly<H, LRESULT>(s, static_cast<BOOL>(w),
                                       reinterpret_cast<NCCALCSIZE_PARAMS*>(l));
    }
};
// WM_DRAWITEM: BOOL OnDrawItem(DRAWITEMSTRUCT* pDIS), TRUE when drawn.
template <>
struct Crack<WM_DRAWITEM> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM, LPARAM l) {
        return CallExactly<H, BOOL>(s, reinterpret_cast<DRAWITEMSTRUCT*>(l));
    }
};
// WM_MEASUREITEM: BOOL OnMeasureItem(MEASUREITEMSTRUCT* pMIS), TRUE when pMIS->itemHeight (and
// itemWidth) are set.
template <>
struct Crack<WM_MEASUREITEM> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM, LPARAM l) {
        return CallExactly<H, BOOL>(s, reinterpret_cast<MEASUREITEMSTRUCT*>(l));
    }
};
// WM_SETFONT: void OnSetFont(HFONT hFont, BOOL bRedraw), hFont null for the system font.
template <>
struct Crack<WM_SETFONT> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM l) {
        return CallExactly<H, void>(s, reinterpret_cast<HFONT>(w), static_cast<BOOL>(LOWORD(l)));
    }
};
// WM_SETCURSOR: BOOL OnSetCursor(HWND hWnd, UINT nHitTest, UINT message), TRUE when the
// handler set the cursor (the parent's and the default processing then stay out). hWnd: the
// window under the pointer (this one or a child); nHitTest: HT*; message: the mouse message
// that follows (0 in menu mode).
template <>
struct Crack<WM_SETCURSOR> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM l) {
        return CallExactly<H, BOOL>(s, reinterpret_cast<HWND>(w), static_cast<UINT>(LOWORD(l)),
                                    static_cast<UINT>(HIWORD(l)));
    }
};
// WM_INITDIALOG: BOOL OnInitDialog(HWND hFocus, LPARAM lInitParam), TRUE to let the dialog
// manager focus hFocus (the first tab stop), FALSE when the handler set the focus itself.
template <>
struct Crack<WM_INITDIALOG> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM l) {
        return CallExactly<H, BOOL>(s, reinterpret_cast<HWND>(w), l);
    }
};
// BM_SETCHECK: void OnSetCheck(UINT nCheck), BST_*.
template <>
struct Crack<BM_SETCHECK> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM) {
        return CallExactly<H, void>(s, static_cast<UINT>(w));
    }
};
// BM_SETSTYLE: void OnSetStyle(UINT nStyle, BOOL bRedraw), the BS_* style.
template <>
struct Crack<BM_SETSTYLE> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM l) {
        return CallExactly<H, void>(s, static_cast<UINT>(w), static_cast<BOOL>(LOWORD(l)));
    }
};

template <class C>
C& Self(CWnd& w) {
    return static_cast<C&>(w);
}

template <UINT M, auto H>
Reply MessageThunk(CWnd& w, const Message& m) {
    using C = typename HandlerTraits<decltype(H)>::Class;
    return Crack<M>::template Call<H>(Self<C>(w), m.wParam, m.lParam);
}

template <auto H>
Reply CommandThunk(CWnd& w, const Message&) {
    using C = typename HandlerTraits<decltype(H)>::Class;
    return CallExactly<H, void>(Self<C>(w));
}

// WM_NOTIFY handlers take a pointer to the notification's own structure (NMHDR, NMLISTVIEW,
// NMITEMACTIVATE ...).
template <auto H>
Reply NotifyThunk(CWnd& w, const Message& m) {
    using C = typename HandlerTraits<decltype(H)>::Class;
    using P = typename FirstArg<decltype(H)>::type;
    static_assert(std::is_pointer_v<P>, "a notification handler takes the NMHDR-based pointer");
    return CallExactly<H, LRESULT>(Self<C>(w), reinterpret_cast<P>(m.lParam));
}

}  // namespace detail

// A message sent or posted to the window.
template <UINT M, auto H>
inline constexpr MsgEntry Msg{MsgKey{Route::Message, M, 0, 0}, &detail::MessageThunk<M, H>};

// A command with code 0: a menu item, an accelerator or a button's BN_CLICKED.
// Handler: void OnXxx() (or fw::Reply to pass it on).
template <UINT Id, auto H>
inline constexpr MsgEntry Cmd{MsgKey{Route::Command, 0, Id, 0}, &detail::CommandThunk<H>};

// A child's WM_COMMAND notification with a given code. Handler: ().
template <UINT Id, UINT Code, auto H>
inline constexpr MsgEntry CmdCode{MsgKey{Route::Command, 0, Id, Code}, &detail::CommandThunk<H>};

// A child's WM_NOTIFY. Handler: LRESULT OnXxx(NMxxx* pNM), the notification's result (or void
// for 0, or fw::Reply to pass it on).
template <UINT Id, UINT Code, auto H>
inline constexpr MsgEntry Notify{MsgKey{Route::Notify, 0, Id, Code}, &detail::NotifyThunk<H>};

// In a control's table: WM_DRAWITEM, WM_MEASUREITEM or WM_CTLCOLOR* (kAnyCtlColor for the whole
// family) that the parent received from this control and handed back to it.
template <UINT M, auto H>
inline constexpr MsgEntry Reflect{MsgKey{Route::ReflectedMessage, M, 0, 0},
                                  &detail::MessageThunk<M, H>};

// In a control's table: its own WM_COMMAND notification (such as BN_CLICKED). Handler: ().
template <UINT Code, auto H>
inline constexpr MsgEntry ReflectCmd{MsgKey{Route::ReflectedCommand, 0, 0, Code},
                                     &detail::CommandThunk<H>};

// In a control's table: its own WM_NOTIFY. Handler: (NMxxx*).
template <UINT Code, auto H>
inline constexpr MsgEntry ReflectNotify{MsgKey{Route::ReflectedNotify, 0, 0, Code},
                                        &detail::NotifyThunk<H>};

// One message on its way through a class's tables, derived class first.
class MsgContext {
public:
    MsgContext(const MsgEvent& event, const Message& msg) : m_event(event), m_msg(msg) {}

    // Offers the message to the entries of one table; true when a handler took it.
    bool Run(CWnd& self, std::span<const MsgEntry> table) {
        return OfferToTable(table, m_event, [&](const MsgEntry& entry) {
            const Reply reply = entry.thunk(self, m_msg);
            if (reply.handled) m_result = reply.result;
            return reply.handled;
        });
    }

    const MsgEvent& Event() const { return m_event; }
    const Message& Raw() const { return m_msg; }
    LRESULT Result() const { return m_result; }

private:
    MsgEvent m_event;
    const Message& m_msg;
    LRESULT m_result = 0;
};

}  // namespace fw
