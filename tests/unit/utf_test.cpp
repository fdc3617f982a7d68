#include "app/utf.h"

#include <gtest/gtest.h>

TEST(Utf, RoundTripsChineseAndAstralText) {
    const std::string bytes = "\xE8\xBD\xAF\xE4\xBB\xB6 \xF0\x9F\x98\x80 a";  // 软件, U+1F600
    const WString wide = Utf8ToWide(bytes);
    ASSERT_EQ(wide.size(), 7u);
    EXPECT_EQ(wide[0], WChar(0x8F6F));
    EXPECT_EQ(wide[3], WChar(0xD83D));
    EXPECT_EQ(wide[4], WChar(0xDE00));
    EXPECT_EQ(WideToUtf8(wide), bytes);
}

TEST(Utf, RejectsIllFormedSequences) {
    EXPECT_TRUE(IsValidUtf8("plain ascii"));
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong '/'
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE8\xBD"));          // cut short
    EXPECT_FALSE(IsValidUtf8("\xC8\xED\xBC\xFE"));  // 软件 in code page 936
    EXPECT_EQ(Utf8ToWide("a\xFF" "b"), WSTR("a\uFFFDb"));
    EXPECT_EQ(WideToUtf8(WString(1, WChar(0xD800))), "\xEF\xBF\xBD");
}
