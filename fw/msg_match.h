// Which message-table entry a window message reaches: the keys and the matching rule, free of
// <windows.h> so that the rule is tested natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace fw {

// How a message arrives at the window whose table is searched.
enum class Route : std::uint8_t {
    Message,           // any message sent or posted to the window, by number
    Command,           // WM_COMMAND from a menu, an accelerator or a child: id and code
    Notify,            // WM_NOTIFY from a child: id and code
    ReflectedMessage,  // WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR* handed back to the child
    ReflectedCommand,  // a child's WM_COMMAND notification handed back to it: code only
    ReflectedNotify,   // a child's WM_NOTIFY handed back to it: code only
};

// The numbers of the WM_CTLCOLOR* family (WM_CTLCOLORMSGBOX to WM_CTLCOLORSTATIC); the
// Windows side checks them against <windows.h>.
inline constexpr std::uint32_t kCtlColorFirst = 0x0132;
inline constexpr std::uint32_t kCtlColorLast = 0x0138;
// A pseudo message number that stands for every member of the WM_CTLCOLOR* family, so that one
// entry answers the colour query whatever kind of control asks.
inline constexpr std::uint32_t kAnyCtlColor = 0xFFFF0132u;

constexpr bool IsCtlColor(std::uint32_t message) {
    return message >= kCtlColorFirst && message <= kCtlColorLast;
}

// What an entry of a table stands for. Fields that the route does not use stay 0.
struct MsgKey {
    Route route = Route::Message;
    std::uint32_t message = 0;  // Message, ReflectedMessage
    std::uint32_t id = 0;       // Command, Notify
    std::uint32_t code = 0;     // Command, Notify, ReflectedCommand, ReflectedNotify
};

// What actually arrived, in the same terms.
struct MsgEvent {
    Route route = Route::Message;
    std::uint32_t message = 0;
    std::uint32_t id = 0;
    std::uint32_t code = 0;
};

constexpr bool Matches(const MsgKey& key, const MsgEvent& event) {
    if (key.route != event.route) return false;
    switch (key.route) {
        case Route::Message:
        case Route::ReflectedMessage:
            return key.message == event.message ||
                   (key.message == kAnyCtlColor && IsCtlColor(event.message));
        case Route::Command:
        case Route::Notify:
            return key.id == event.id && key.code == event.code;
        case Route::ReflectedCommand:
        case Route::ReflectedNotify:
            return key.code == event.code;
    }
    return false;
}

// Offers the event to every matching entry of the table in order, until one takes it.
// `tryEntry(entry)` returns true when its handler took the message; an entry whose handler
// passes lets the later entries (and, through the caller, the base class's table) try.
template <class Entry, class TryEntry>
bool OfferToTable(std::span<const Entry> table, const MsgEvent& event, TryEntry&& tryEntry) {
    for (const Entry& entry : table) {
        if (Matches(entry.key, event) && tryEntry(entry)) return true;
    }
    return false;
}

}  // namespace fw
