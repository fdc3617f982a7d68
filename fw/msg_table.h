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
// base class's table and finally the default processing see it.
#pragma once

#include <windows.h>

#include <span>
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
};
template <class C, class R, class... A>
struct HandlerTraits<R (C::*)(A...) noexcept> {
    using Class = C;
};

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

inline POINT PointFrom(LPARAM l) {
    return POINT{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
}

// Typed arguments per message. A message without a cracker gives its handler (WPARAM, LPARAM).
template <UINT M, class = void>
struct Crack {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM l) {
        return detail::Call<H>(s, w, l);
    }
};

template <UINT... Ms>
struct OneOf {
    static constexpr bool Has(UINT m) { return ((m == Ms) || ...); }
};

// No arguments.
using NoArgs = OneOf<WM_PAINT, WM_CLOSE, WM_DESTROY, WM_MOUSELEAVE, WM_CANCELMODE,
                     WM_SYSCOLORCHANGE, WM_QUERYDRAGICON, BM_GETCHECK>;
template <UINT M>
struct Crack<M, std::enable_if_t<NoArgs::Has(M)>> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM, LPARAM) {
        return detail::Call<H>(s);
    }
};
// (flags, point in client coordinates)
using MouseArgs = OneOf<WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                        WM_RBUTTONDOWN, WM_RBUTTONUP>;
template <UINT M>
struct Crack<M, std::enable_if_t<MouseArgs::Has(M)>> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM l) {
        return detail::Call<H>(s, static_cast<UINT>(w), PointFrom(l));
    }
};
// (the other window)
template <UINT M>
struct Crack<M, std::enable_if_t<M == WM_SETFOCUS || M == WM_KILLFOCUS>> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM) {
        return detail::Call<H>(s, reinterpret_cast<HWND>(w));
    }
};
// (device context, control) -> HBRUSH
template <UINT M>
struct Crack<M, std::enable_if_t<IsCtlColor(M)>> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM l) {
        return detail::Call<H>(s, reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l));
    }
};
template <>
struct Crack<kAnyCtlColor> : Crack<WM_CTLCOLORSTATIC> {};
template <>
struct Crack<WM_TIMER> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM) {
        return detail::Call<H>(s, static_cast<UINT_PTR>(w));
    }
};
template <>
struct Crack<WM_SIZE> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM l) {
        return detail::Call<H>(s, static_cast<UINT>(w), static_cast<int>(LOWORD(l)),
                               static_cast<int>(HIWORD(l)));
    }
};
template <>
struct Crack<WM_ERASEBKGND> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM) {
        return detail::Call<H>(s, reinterpret_cast<HDC>(w));
    }
};
template <>
struct Crack<WM_GETMINMAXINFO> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM, LPARAM l) {
        return detail::Call<H>(s, reinterpret_cast<MINMAXINFO*>(l));
    }
};
template <>
struct Crack<WM_SYSCOMMAND> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM l) {
        return detail::Call<H>(s, static_cast<UINT>(w), l);
    }
};
template <>
struct Crack<WM_ACTIVATE> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM l) {
        return detail::Call<H>(s, static_cast<UINT>(LOWORD(w)), reinterpret_cast<HWND>(l),
                               static_cast<BOOL>(HIWORD(w) != 0));
    }
};
template <>
struct Crack<WM_GETDLGCODE> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM, LPARAM l) {
        return detail::Call<H>(s, reinterpret_cast<MSG*>(l));
    }
};
template <>
struct Crack<WM_NCCALCSIZE> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM l) {
        return detail::Call<H>(s, static_cast<BOOL>(w), reinterpret_cast<NCCALCSIZE_PARAMS*>(l));
    }
};
template <>
struct Crack<WM_DRAWITEM> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM, LPARAM l) {
        return detail::Call<H>(s, reinterpret_cast<DRAWITEMSTRUCT*>(l));
    }
};
template <>
struct Crack<WM_MEASUREITEM> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM, LPARAM l) {
        return detail::Call<H>(s, reinterpret_cast<MEASUREITEMSTRUCT*>(l));
    }
};
template <>
struct Crack<BM_SETCHECK> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM) {
        return detail::Call<H>(s, static_cast<UINT>(w));
    }
};
template <>
struct Crack<BM_SETSTYLE> {
    template <auto H, class C>
    static Reply Call(C& s, WPARAM w, LPARAM l) {
        return detail::Call<H>(s, static_cast<UINT>(w), static_cast<BOOL>(LOWORD(l)));
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
    return detail::Call<H>(Self<C>(w));
}

// WM_NOTIFY handlers take a pointer to the notification's own structure (NMHDR, NMLISTVIEW,
// NMITEMACTIVATE ...).
template <auto H>
Reply NotifyThunk(CWnd& w, const Message& m) {
    using C = typename HandlerTraits<decltype(H)>::Class;
    using P = typename FirstArg<decltype(H)>::type;
    static_assert(std::is_pointer_v<P>, "a notification handler takes the NMHDR-based pointer");
    return detail::Call<H>(Self<C>(w), reinterpret_cast<P>(m.lParam));
}

}  // namespace detail

// A message sent or posted to the window.
template <UINT M, auto H>
inline constexpr MsgEntry Msg{MsgKey{Route::Message, M, 0, 0}, &detail::MessageThunk<M, H>};

// A command with code 0: a menu item, an accelerator or a button's BN_CLICKED. Handler: ().
template <UINT Id, auto H>
inline constexpr MsgEntry Cmd{MsgKey{Route::Command, 0, Id, 0}, &detail::CommandThunk<H>};

// A child's WM_COMMAND notification with a given code. Handler: ().
template <UINT Id, UINT Code, auto H>
inline constexpr MsgEntry CmdCode{MsgKey{Route::Command, 0, Id, Code}, &detail::CommandThunk<H>};

// A child's WM_NOTIFY. Handler: (NMxxx*).
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
