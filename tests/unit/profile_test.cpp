// CProfile's reading rules. Every expectation here was first seen on Wine 8's
// GetPrivateProfileStringW / GetPrivateProfileIntW (tests/win/profile_differential_test.cpp
// compares the two on the same files).
#include "app/profile.h"

#include <gtest/gtest.h>

namespace {

WString Str(const CProfile& p, WStringView section, WStringView key) {
    return p.GetString(section, key, WSTR("DEF"));
}

TEST(Profile, LineEndsAndWhiteSpace) {
    // '\r', '\n' and "\r\n" each end a line; tab..CR, blank and Ctrl+Z are white space,
    // U+3000 and U+00A0 are text.
    const CProfile p(
        WSTR("[s]\r\na = 1 \rb=\t2\x1A\n c\v=\f3\r\n\r\nd=\u30004\u3000\ne=\u00A05\n"));
    EXPECT_EQ(Str(p, WSTR("s"), WSTR("a")), WSTR("1"));
    EXPECT_EQ(Str(p, WSTR("s"), WSTR("b")), WSTR("2"));
    EXPECT_EQ(Str(p, WSTR("s"), WSTR("c")), WSTR("3"));
    EXPECT_EQ(Str(p, WSTR("s"), WSTR("d")), WSTR("\u30004\u3000"));
    EXPECT_EQ(Str(p, WSTR("s"), WSTR("e")), WSTR("\u00A05"));
    // Names asked for are trimmed the same way.
    EXPECT_EQ(Str(p, WSTR(" s\t"), WSTR("\ta ")), WSTR("1"));

    const auto& keys = p.Sections().at(0).keys;
    ASSERT_EQ(keys.size(), 5u);
    EXPECT_EQ(keys[0].nLine, 2);
    EXPECT_EQ(keys[1].nLine, 3);
    EXPECT_EQ(keys[2].nLine, 4);
    EXPECT_EQ(keys[3].nLine, 6);  // "\r\n" is one line end, the empty line counts
    EXPECT_EQ(keys[1].strText, WSTR("b=\t2\x1A"));
}

TEST(Profile, SectionHeaders) {
    const CProfile p(
        WSTR("[abc] junk\nk=1\n[a]b]c\nk=2\n[ spaced ]\nk=3\n[unclosed\nafter=4\n[]\nk=5\n"));
    EXPECT_EQ(Str(p, WSTR("abc"), WSTR("k")), WSTR("1"));
    EXPECT_EQ(Str(p, WSTR("a]b"), WSTR("k")), WSTR("2"));  // up to the last ']'
    EXPECT_EQ(Str(p, WSTR("a"), WSTR("k")), WSTR("DEF"));
    EXPECT_EQ(Str(p, WSTR("spaced"), WSTR("k")), WSTR("3"));
    // A '[' line without ']' is a key without value in the section before.
    EXPECT_EQ(Str(p, WSTR("spaced"), WSTR("after")), WSTR("4"));
    ASSERT_NE(p.FindKey(WSTR("spaced"), WSTR("[unclosed")), nullptr);
    EXPECT_FALSE(p.FindKey(WSTR("spaced"), WSTR("[unclosed"))->bHasValue);
    EXPECT_EQ(Str(p, WSTR("unclosed"), WSTR("after")), WSTR("DEF"));
    // A header with an empty name is never read: the nameless section is the keys before the
    // first header, and there are none here.
    EXPECT_EQ(Str(p, WSTR(""), WSTR("k")), WSTR("DEF"));
    EXPECT_EQ(p.FindSection(WSTR("")), nullptr);
}

TEST(Profile, KeysBeforeTheFirstHeaderFormANamelessSection) {
    const CProfile p(WSTR("top=1\n[]\ntop=2\n[s]\ntop=3\n"));
    EXPECT_EQ(Str(p, WSTR(""), WSTR("top")), WSTR("1"));
    EXPECT_EQ(Str(p, WSTR("s"), WSTR("top")), WSTR("3"));
    ASSERT_EQ(p.Sections().size(), 3u);
    EXPECT_EQ(p.Sections()[0].nLine, 0);
    EXPECT_EQ(p.Sections()[0].strText, WSTR(""));
}

TEST(Profile, FirstSectionAndFirstKeyWinAndDuplicatesAreKept) {
    const CProfile p(
        WSTR("[dup]\na=first\na=second\n[DUP]\na=other\nc=only in second\n[Dup]\nd=x\n"));
    EXPECT_EQ(Str(p, WSTR("dup"), WSTR("a")), WSTR("first"));
    // A later section of the same name is never looked into.
    EXPECT_EQ(Str(p, WSTR("dup"), WSTR("c")), WSTR("DEF"));
    EXPECT_EQ(Str(p, WSTR("dup"), WSTR("d")), WSTR("DEF"));

    const auto& sections = p.Sections();
    ASSERT_EQ(sections.size(), 3u);
    EXPECT_EQ(sections[1].strName, WSTR("DUP"));
    EXPECT_EQ(sections[1].nLine, 4);
    ASSERT_EQ(sections[0].keys.size(), 2u);
    EXPECT_EQ(sections[0].keys[1].strValue, WSTR("second"));
    EXPECT_EQ(sections[0].keys[1].nLine, 3);
    EXPECT_EQ(p.FindSection(WSTR("DuP")), &sections[0]);
    EXPECT_EQ(p.FindKey(WSTR("dup"), WSTR("A")), &sections[0].keys[0]);
}

TEST(Profile, OnlyAsciiLettersIgnoreCase) {
    const CProfile p(WSTR("[Config]\nTitleText=t\n[Ärger]\nÖl=1\n[ＡＢ]\nk=2\n[@]\nat=3\n"));
    EXPECT_EQ(Str(p, WSTR("CONFIG"), WSTR("titletext")), WSTR("t"));
    EXPECT_EQ(Str(p, WSTR("Ärger"), WSTR("Öl")), WSTR("1"));
    EXPECT_EQ(Str(p, WSTR("ärger"), WSTR("Öl")), WSTR("DEF"));
    EXPECT_EQ(Str(p, WSTR("Ärger"), WSTR("öl")), WSTR("DEF"));
    EXPECT_EQ(Str(p, WSTR("ａｂ"), WSTR("k")), WSTR("DEF"));
    EXPECT_EQ(Str(p, WSTR("`"), WSTR("at")), WSTR("DEF"));  // '@' | 0x20 is not a letter
}

TEST(Profile, LinesWithoutValueAndCommentLikeLines) {
    const CProfile p(WSTR("[c]\nword\nempty=\n;k=2\nk=4 ; not a comment\n=nameless\n"));
    EXPECT_EQ(Str(p, WSTR("c"), WSTR("word")), WSTR("DEF"));
    EXPECT_EQ(p.GetInt(WSTR("c"), WSTR("word"), -7), -7);
    EXPECT_EQ(Str(p, WSTR("c"), WSTR("empty")), WSTR(""));
    EXPECT_EQ(p.GetInt(WSTR("c"), WSTR("empty"), -7), -7);
    // The platform has no comments: a ';' line is a key whose name starts with ';'.
    EXPECT_EQ(Str(p, WSTR("c"), WSTR(";k")), WSTR("2"));
    EXPECT_EQ(Str(p, WSTR("c"), WSTR("k")), WSTR("4 ; not a comment"));
    EXPECT_EQ(Str(p, WSTR("c"), WSTR("")), WSTR("nameless"));
    EXPECT_EQ(Str(p, WSTR("c"), WSTR("missing")), WSTR("DEF"));
    EXPECT_EQ(Str(p, WSTR("missing"), WSTR("k")), WSTR("DEF"));
    // The default is returned as given.
    EXPECT_EQ(p.GetString(WSTR("c"), WSTR("missing"), WSTR(" 'x' ")), WSTR(" 'x' "));
}

TEST(Profile, OnePairOfMatchingQuotesComesOff) {
    const CProfile p(WSTR(
        "[q]\na=\"x\"\nb='y'\nc=\"z'\nd=\"\ne=\"\"\nf=\"\"\"\ng=' s '\nh=\"a\"b\"\ni= \"t\" \n"));
    EXPECT_EQ(Str(p, WSTR("q"), WSTR("a")), WSTR("x"));
    EXPECT_EQ(Str(p, WSTR("q"), WSTR("b")), WSTR("y"));
    EXPECT_EQ(Str(p, WSTR("q"), WSTR("c")), WSTR("\"z'"));
    EXPECT_EQ(Str(p, WSTR("q"), WSTR("d")), WSTR("\""));
    EXPECT_EQ(Str(p, WSTR("q"), WSTR("e")), WSTR(""));
    EXPECT_EQ(Str(p, WSTR("q"), WSTR("f")), WSTR("\""));
    EXPECT_EQ(Str(p, WSTR("q"), WSTR("g")), WSTR(" s "));
    EXPECT_EQ(Str(p, WSTR("q"), WSTR("h")), WSTR("a\"b"));
    EXPECT_EQ(Str(p, WSTR("q"), WSTR("i")), WSTR("t"));
    EXPECT_FALSE(p.FindKey(WSTR("q"), WSTR("a"))->bCut);
}

TEST(Profile, LongValuesAreCutTo4095Units) {
    const WString v4095(4095, 'b');
    const WString v4096(4096, 'c');
    const WString q4094 = WSTR("\"") + WString(4094, 'f') + WSTR("\"");
    const WString q4095 = WSTR("\"") + WString(4095, 'g') + WSTR("\"");
    const WString q5000 = WSTR("'") + WString(5000, 'h') + WSTR("'");
    const CProfile p(WSTR("[l]\na=") + v4095 + WSTR("\nb=") + v4096 + WSTR("\nc=") + q4094 +
                     WSTR("\nd=") + q4095 + WSTR("\ne=") + q5000 + WSTR("\nafter=ok\n"));
    const ProfileKey* a = p.FindKey(WSTR("l"), WSTR("a"));
    const ProfileKey* b = p.FindKey(WSTR("l"), WSTR("b"));
    const ProfileKey* c = p.FindKey(WSTR("l"), WSTR("c"));
    const ProfileKey* d = p.FindKey(WSTR("l"), WSTR("d"));
    const ProfileKey* e = p.FindKey(WSTR("l"), WSTR("e"));
    ASSERT_TRUE(a && b && c && d && e);
    EXPECT_EQ(a->strValue, v4095);
    EXPECT_FALSE(a->bCut);
    EXPECT_EQ(b->strValue, v4096.substr(0, 4095));
    EXPECT_TRUE(b->bCut);
    EXPECT_EQ(c->strValue, WString(4094, 'f'));
    EXPECT_FALSE(c->bCut);
    // The platform's quirk: a quoted value of 4,095 units between its quotes comes back one
    // unit shorter still.
    EXPECT_EQ(d->strValue, WString(4094, 'g'));
    EXPECT_TRUE(d->bCut);
    EXPECT_EQ(e->strValue, WString(4095, 'h'));  // the opening quote comes off anyway
    EXPECT_TRUE(e->bCut);
    EXPECT_EQ(e->strText.size(), 5004u);  // the raw line keeps everything
    EXPECT_EQ(Str(p, WSTR("l"), WSTR("after")), WSTR("ok"));
}

TEST(Profile, IntegersReadLikeThePlatform) {
    const struct {
        const WChar* value;
        int32_t expected;
    } cases[] = {
        {WSTR("-5"), -5},
        {WSTR("12abc"), 12},
        {WSTR("\" 7\""), 7},
        {WSTR("0x10"), 16},
        {WSTR("0X10"), 0},  // only lower-case prefixes
        {WSTR("0xfF"), 255},
        {WSTR("0b101"), 5},
        {WSTR("0o17"), 15},
        {WSTR("0o8"), 0},
        {WSTR("+3"), 3},
        {WSTR("-0x10"), -16},
        {WSTR("007"), 7},
        {WSTR("08"), 8},
        {WSTR("99999999999"), 1215752191},  // wraps around modulo 2^32
        {WSTR("4294967295"), -1},
        {WSTR("-2147483649"), 2147483647},
        {WSTR("0xFFFFFFFFF"), -1},
        {WSTR("abc"), 0},
        {WSTR("-"), 0},
        {WSTR("0x"), 0},
        {WSTR("++1"), 0},
        {WSTR("1e3"), 1},
        {WSTR("\uFF11\uFF12"), 0},  // full-width digits are not digits
        {WSTR("'12'"), 12},
        {WSTR("\"12"), 0},
        {WSTR("\"   - 5\""), 0},
        {WSTR("\x1F"
              "9"),
         9},  // every unit up to ' ' is skipped
        // Read through 30 units: 29 of them count.
        {WSTR("00000000000000000000000000012"), 12},
        {WSTR("000000000000000000000000000012"), 1},
        // The platform's quote quirk again: 29 digits between quotes lose their last one.
        {WSTR("\"22222222222222222222222222222\""), -1372003442},
    };
    for (const auto& c : cases) {
        const CProfile p(WSTR("[i]\nv=") + WString(c.value) + WSTR("\n"));
        EXPECT_EQ(p.GetInt(WSTR("i"), WSTR("v"), -77), c.expected);
    }
    const CProfile p(WSTR("[i]\nempty=\nquotes=\"\"\nblank=\t\n"));
    EXPECT_EQ(p.GetInt(WSTR("i"), WSTR("empty"), -77), -77);
    EXPECT_EQ(p.GetInt(WSTR("i"), WSTR("quotes"), -77), -77);
    EXPECT_EQ(p.GetInt(WSTR("i"), WSTR("blank"), -77), -77);
    EXPECT_EQ(p.GetInt(WSTR("i"), WSTR("missing"), -77), -77);
}

TEST(Profile, NulUnitsEndNamesAndValues) {
    WString text = WSTR("[a");
    text += WChar(0);
    text += WSTR("b]\nke");
    text += WChar(0);
    text += WSTR("y=5\nv=ab");
    text += WChar(0);
    text += WSTR("cd\n");
    const CProfile p(text);
    EXPECT_EQ(Str(p, WSTR("a"), WSTR("ke")), WSTR("5"));
    EXPECT_EQ(Str(p, WSTR("a"), WSTR("v")), WSTR("ab"));
    ASSERT_EQ(p.Sections().at(0).keys.size(), 2u);
    EXPECT_EQ(p.Sections()[0].keys[1].strText.size(), 7u);
}

TEST(Profile, MovingKeepsTheViewsValid) {
    CProfile first(WSTR("[a]\nk=v"));  // short enough to live inside a string object
    const CProfile moved(std::move(first));
    EXPECT_EQ(Str(moved, WSTR("a"), WSTR("k")), WSTR("v"));
    ASSERT_EQ(moved.Sections().size(), 1u);
    EXPECT_EQ(moved.Sections()[0].strName, WSTR("a"));
    EXPECT_EQ(moved.Sections()[0].keys[0].strText, WSTR("k=v"));
}

TEST(Profile, EmptyText) {
    const CProfile p(WSTR(""));
    EXPECT_TRUE(p.Sections().empty());
    EXPECT_EQ(Str(p, WSTR(""), WSTR("")), WSTR("DEF"));
    EXPECT_EQ(CProfile().GetInt(WSTR("a"), WSTR("b"), 3), 3);
}

}  // namespace
