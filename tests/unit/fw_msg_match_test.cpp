// The rule that decides which message-table entry a message reaches.
#include "fw/msg_match.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using fw::MsgEvent;
using fw::MsgKey;
using fw::Route;

constexpr std::uint32_t kTimer = 0x0113, kSize = 0x0005, kDrawItem = 0x002B;
constexpr std::uint32_t kCtlColorStatic = 0x0138, kCtlColorBtn = 0x0135, kCtlColorMsgBox = 0x0132;
constexpr std::uint32_t kItemChanged = 0xFFFFFF9Bu, kClick = 0xFFFFFFFEu;  // LVN_, NM_

TEST(FwMsgMatch, RoutesNeverMix) {
    // The same numbers under another route are another message: a WM_COMMAND from control
    // 1003 is not a notification from control 1003, and a message to the window is not the
    // same message handed back from its parent.
    const MsgKey command{Route::Command, 0, 1003, 0};
    EXPECT_TRUE(fw::Matches(command, MsgEvent{Route::Command, 0, 1003, 0}));
    EXPECT_FALSE(fw::Matches(command, MsgEvent{Route::Notify, 0, 1003, 0}));
    EXPECT_FALSE(fw::Matches(command, MsgEvent{Route::ReflectedCommand, 0, 1003, 0}));

    const MsgKey draw{Route::ReflectedMessage, kDrawItem, 0, 0};
    EXPECT_TRUE(fw::Matches(draw, MsgEvent{Route::ReflectedMessage, kDrawItem, 0, 0}));
    EXPECT_FALSE(fw::Matches(draw, MsgEvent{Route::Message, kDrawItem, 0, 0}));
    EXPECT_FALSE(fw::Matches(MsgKey{Route::Message, kDrawItem, 0, 0},
                             MsgEvent{Route::ReflectedMessage, kDrawItem, 0, 0}));
}

TEST(FwMsgMatch, CommandsAndNotificationsNeedIdAndCode) {
    const MsgKey changed{Route::Notify, 0, 1000, kItemChanged};
    EXPECT_TRUE(fw::Matches(changed, MsgEvent{Route::Notify, 0, 1000, kItemChanged}));
    EXPECT_FALSE(fw::Matches(changed, MsgEvent{Route::Notify, 0, 1007, kItemChanged}));
    EXPECT_FALSE(fw::Matches(changed, MsgEvent{Route::Notify, 0, 1000, kClick}));
    // A button's BN_CLICKED (code 0) and a menu command with the same id are one command; an
    // edit's EN_CHANGE (0x0300) from that id is not.
    const MsgKey install{Route::Command, 0, 1003, 0};
    EXPECT_TRUE(fw::Matches(install, MsgEvent{Route::Command, 0, 1003, 0}));
    EXPECT_FALSE(fw::Matches(install, MsgEvent{Route::Command, 0, 1003, 0x0300}));
    // Messages compare by number only; ids and codes that ride along do not matter.
    EXPECT_TRUE(
        fw::Matches(MsgKey{Route::Message, kTimer, 0, 0}, MsgEvent{Route::Message, kTimer, 7, 9}));
    // Reflected notifications are the control's own: the code decides, not the id.
    EXPECT_TRUE(fw::Matches(MsgKey{Route::ReflectedNotify, 0, 0, kClick},
                            MsgEvent{Route::ReflectedNotify, 0, 1234, kClick}));
    EXPECT_FALSE(fw::Matches(MsgKey{Route::ReflectedNotify, 0, 0, kClick},
                             MsgEvent{Route::ReflectedNotify, 0, 0, kItemChanged}));
}

TEST(FwMsgMatch, AnyCtlColorCoversTheWholeFamilyAndNothingElse) {
    const MsgKey any{Route::ReflectedMessage, fw::kAnyCtlColor, 0, 0};
    for (std::uint32_t m = fw::kCtlColorFirst; m <= fw::kCtlColorLast; ++m)
        EXPECT_TRUE(fw::Matches(any, MsgEvent{Route::ReflectedMessage, m, 0, 0})) << m;
    EXPECT_FALSE(fw::Matches(any, MsgEvent{Route::ReflectedMessage, fw::kCtlColorFirst - 1, 0, 0}));
    EXPECT_FALSE(fw::Matches(any, MsgEvent{Route::ReflectedMessage, fw::kCtlColorLast + 1, 0, 0}));
    // A key for one member stays exact.
    const MsgKey staticOnly{Route::ReflectedMessage, kCtlColorStatic, 0, 0};
    EXPECT_TRUE(fw::Matches(staticOnly, MsgEvent{Route::ReflectedMessage, kCtlColorStatic, 0, 0}));
    EXPECT_FALSE(fw::Matches(staticOnly, MsgEvent{Route::ReflectedMessage, kCtlColorBtn, 0, 0}));
    EXPECT_FALSE(fw::Matches(staticOnly, MsgEvent{Route::ReflectedMessage, kCtlColorMsgBox, 0, 0}));
    // The pseudo number is not itself a message that can arrive by another route.
    EXPECT_FALSE(fw::Matches(any, MsgEvent{Route::Message, kCtlColorStatic, 0, 0}));
}

struct FakeEntry {
    MsgKey key;
    std::string name;
    bool takes;
};

std::vector<std::string> Offer(const std::vector<FakeEntry>& table, const MsgEvent& event,
                               bool* taken) {
    std::vector<std::string> tried;
    *taken = fw::OfferToTable(std::span<const FakeEntry>(table), event, [&](const FakeEntry& e) {
        tried.push_back(e.name);
        return e.takes;
    });
    return tried;
}

TEST(FwMsgMatch, FirstTakingEntryWinsAndPassingEntriesLetLaterOnesTry) {
    const std::vector<FakeEntry> table{
        {{Route::Message, kSize, 0, 0}, "size", true},
        {{Route::Message, kTimer, 0, 0}, "timer-passes", false},
        {{Route::Notify, 0, 1000, kClick}, "click", true},
        {{Route::Message, kTimer, 0, 0}, "timer-takes", true},
        {{Route::Message, kTimer, 0, 0}, "timer-never", true},
    };
    bool taken = false;
    EXPECT_EQ(Offer(table, MsgEvent{Route::Message, kTimer, 0, 0}, &taken),
              (std::vector<std::string>{"timer-passes", "timer-takes"}));
    EXPECT_TRUE(taken);

    EXPECT_EQ(Offer(table, MsgEvent{Route::Message, kSize, 0, 0}, &taken),
              (std::vector<std::string>{"size"}));
    EXPECT_TRUE(taken);

    // Nothing matches: no handler runs and the message goes on (to the base class's table).
    EXPECT_TRUE(Offer(table, MsgEvent{Route::Notify, 0, 1001, kClick}, &taken).empty());
    EXPECT_FALSE(taken);

    // Only passing entries match: every one is tried, and the message still goes on.
    const std::vector<FakeEntry> passing{{{Route::Message, kTimer, 0, 0}, "a", false},
                                         {{Route::Message, kTimer, 0, 0}, "b", false}};
    EXPECT_EQ(Offer(passing, MsgEvent{Route::Message, kTimer, 0, 0}, &taken),
              (std::vector<std::string>{"a", "b"}));
    EXPECT_FALSE(taken);

    EXPECT_TRUE(Offer({}, MsgEvent{Route::Message, kTimer, 0, 0}, &taken).empty());
    EXPECT_FALSE(taken);
}

}  // namespace
