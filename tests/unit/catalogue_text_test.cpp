// Encoding detection and decoding of catalogue files.
#include "app/catalogue_text.h"

#include <gtest/gtest.h>

#include "app/ansi.h"
#include "app/file_reader.h"
#include "tests/unit/test_data.h"

namespace {

const WString kSoftware = WSTR("软件");

TEST(CatalogueText, ByteOrderMarksAndUtf8) {
    DecodedText le = DecodeCatalogueText(std::string("\xFF\xFE\x6F\x8F\xF6\x4E=\x00", 8));
    EXPECT_EQ(le.encoding, TextEncoding::Utf16Le);
    EXPECT_EQ(le.strText, kSoftware + WSTR("="));
    EXPECT_FALSE(le.bInvalid);

    DecodedText be = DecodeCatalogueText(std::string("\xFE\xFF\x8F\x6F\x4E\xF6", 6));
    EXPECT_EQ(be.encoding, TextEncoding::Utf16Be);
    EXPECT_EQ(be.strText, kSoftware);

    DecodedText bom = DecodeCatalogueText("\xEF\xBB\xBF\xE8\xBD\xAF\xE4\xBB\xB6");
    EXPECT_EQ(bom.encoding, TextEncoding::Utf8Bom);
    EXPECT_EQ(bom.strText, kSoftware);
    EXPECT_FALSE(bom.bInvalid);

    DecodedText plain = DecodeCatalogueText("\xE8\xBD\xAF\xE4\xBB\xB6");
    EXPECT_EQ(plain.encoding, TextEncoding::Utf8);
    EXPECT_EQ(plain.strText, kSoftware);

    DecodedText empty = DecodeCatalogueText("");
    EXPECT_EQ(empty.encoding, TextEncoding::Utf8);
    EXPECT_TRUE(empty.strText.empty());
    EXPECT_FALSE(empty.bInvalid);
}

TEST(CatalogueText, DamagedUnicodeIsReported) {
    // An odd last byte is dropped; an unpaired surrogate stays.
    DecodedText odd =
        DecodeCatalogueText(std::string("\xFF\xFE"
                                        "a\x00"
                                        "b",
                                        5));
    EXPECT_EQ(odd.strText, WSTR("a"));
    EXPECT_TRUE(odd.bInvalid);
    DecodedText lone =
        DecodeCatalogueText(std::string("\xFF\xFE\x00\xD8"
                                        "a\x00",
                                        6));
    EXPECT_EQ(lone.strText.size(), 2u);
    EXPECT_TRUE(lone.bInvalid);
    DecodedText pair = DecodeCatalogueText(std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6));
    EXPECT_FALSE(pair.bInvalid);
    // With a UTF-8 mark the text stays UTF-8, damaged or not.
    DecodedText bad = DecodeCatalogueText(
        "\xEF\xBB\xBF"
        "a\xFF"
        "b");
    EXPECT_EQ(bad.encoding, TextEncoding::Utf8Bom);
    EXPECT_EQ(bad.strText, WSTR("a\uFFFDb"));
    EXPECT_TRUE(bad.bInvalid);
}

TEST(CatalogueText, AnythingElseIsCodePage936) {
    DecodedText gbk = DecodeCatalogueText("[\xC8\xED\xBC\xFE]");
    EXPECT_EQ(gbk.encoding, TextEncoding::Ansi);
    EXPECT_EQ(gbk.strText, WSTR("[") + kSoftware + WSTR("]"));
    EXPECT_FALSE(gbk.bInvalid);
}

// What the platform's MultiByteToWideChar(936, 0) gives, seen under Wine; natively the iconv
// decoder must give the same, since the catalogue checker runs there.
TEST(CatalogueText, UndefinedCodePageBytesDecodeAsThePlatformDoes) {
    bool invalid = true;
    EXPECT_EQ(DecodeAnsi("\x80", invalid), WSTR("\u20AC"));
    EXPECT_FALSE(invalid);
    // The user-defined area maps to private-use characters.
    EXPECT_EQ(DecodeAnsi("\xAA\xA1\xF8\xA1\xA1\x40", invalid), WSTR("\uE000\uE234\uE4C6"));
    EXPECT_FALSE(invalid);

    EXPECT_EQ(DecodeAnsi("\xFF", invalid), WSTR("\uF8F5"));
    EXPECT_TRUE(invalid);
    // A lead byte takes the next byte with it, even a line break...
    EXPECT_EQ(DecodeAnsi("k=\xD6\r\nx", invalid), WSTR("k=?\nx"));
    EXPECT_TRUE(invalid);
    EXPECT_EQ(DecodeAnsi("\x81 x", invalid), WSTR("?x"));
    // ...but not a NUL, and not past the end.
    EXPECT_EQ(DecodeAnsi(std::string("\x81\0z", 3), invalid), WString(WSTR("?\0z"), 3));
    EXPECT_EQ(DecodeAnsi("v\xB0", invalid), WSTR("v?"));
    EXPECT_TRUE(invalid);
}

TEST(CatalogueText, TheSameCatalogueInFourEncodings) {
    const WString dir = TestDataFolder();
    const struct {
        const WChar* file;
        TextEncoding encoding;
    } files[] = {
        {WSTR("catalogue_utf8.ini"), TextEncoding::Utf8},
        {WSTR("catalogue_utf8bom.ini"), TextEncoding::Utf8Bom},
        {WSTR("catalogue_utf16le.ini"), TextEncoding::Utf16Le},
        {WSTR("catalogue_cp936.ini"), TextEncoding::Ansi},
    };
    WString first;
    for (const auto& f : files) {
        std::string bytes;
        ASSERT_TRUE(ReadWholeFile(dir + f.file, bytes)) << "BUNDOR_TESTDATA must be set";
        const DecodedText text = DecodeCatalogueText(bytes);
        EXPECT_EQ(text.encoding, f.encoding);
        EXPECT_FALSE(text.bInvalid);
        EXPECT_NE(text.strText.find(WSTR("TitleText=装机工具 2024\r\n")), WString::npos);
        if (first.empty()) first = text.strText;
        EXPECT_EQ(text.strText, first);
    }
}

TEST(CatalogueText, MissingFileIsNotRead) {
    std::string bytes = "stale";
    EXPECT_FALSE(ReadWholeFile(TestDataFolder() + WSTR("no such file.ini"), bytes));
    EXPECT_TRUE(bytes.empty());
}

}  // namespace
