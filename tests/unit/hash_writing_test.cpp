// bundor-check --write-hashes without files: the section written into catalogues in each
// encoding (the bytes outside it kept), read back by the launcher's reader and verified by the
// checker; and the commands it leaves out.
#include <gtest/gtest.h>

#include "app/catalogue_text.h"
#include "checker/hash_writing.h"
#include "tests/unit/checker_test_support.h"
#include "tests/unit/memory_file_hasher.h"
#include "tests/unit/memory_file_system.h"

namespace {

// Hand-made encodings of test text, not the product's encoder.
std::string Utf16Le(const std::string& utf8) {
    std::string bytes;
    for (const WChar c : Utf8ToWide(utf8)) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(static_cast<char16_t>(c) >> 8));
    }
    return bytes;
}

const std::string kAbc = WideToUtf8(kAbcSha256);
const std::string kEmpty = WideToUtf8(kEmptySha256);

// One entry on the disc in E:, one found through "cdrom:\" on the CD drive F:.
class HashWritingTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs.AddFile(WSTR("E:\\soft\\压缩 setup.exe"), 3);
        fs.AddCdrom(WSTR("F:\\"));
        fs.AddFile(WSTR("F:\\soft\\输入法.exe"), 0);
        hasher.Add(WSTR("E:\\soft\\压缩 setup.exe"), kAbcSha256);
        hasher.Add(WSTR("F:\\soft\\输入法.exe"), kEmptySha256);
    }

    // The catalogue, with the lines between its [Type] and its entries given.
    static std::string Catalogue(const std::string& eol, const std::string& middle) {
        std::string text;
        for (const char* line :
             {"[Config]", "TitleText=装机", "[Type]", "Sort1=常用", "[常用.List]", "List1=压缩",
              "List2=输入法", "[压缩]", "WorkingDir=%CurrDir%",
              "AutoInstall=soft\\压缩 setup.exe /S", "ManualInstall=soft\\压缩 setup.exe"}) {
            text += line + eol;
        }
        return text + middle + "[输入法]" + eol + "AutoInstall=cdrom:\\soft\\输入法.exe /S" + eol +
               "ManualInstall=cdrom:\\soft\\输入法.exe" + eol;
    }

    std::string Prepare(const std::string& bytes, HashWriteReport* out = nullptr) {
        std::string written;
        const HashWriteReport report = PrepareHashSection(
            {WSTR("E:\\Bundor.INI"), WSTR("E:\\"), WString()}, bytes, fs, nullptr, hasher, written);
        EXPECT_EQ(report.result, HashWriteReport::Result::Written) << U8(report.strDetail);
        if (out != nullptr) *out = report;
        return written;
    }

    // The launcher reads the section back and the checker finds every hash right.
    void ExpectVerified(const std::string& bytes) {
        const CheckReport report = CheckText(bytes, fs, WSTR("E:\\"), WString(), nullptr, &hasher);
        for (const std::string& finding : Findings(report)) {
            EXPECT_EQ(finding.rfind("hash", 0), std::string::npos) << finding;
        }
        ASSERT_EQ(report.view.categories.size(), 1u);
        for (const EntryView& entry : report.view.categories[0].entries) {
            EXPECT_EQ(entry.autoInstall.hash.state, HashState::Verified) << U8(entry.strName);
            EXPECT_EQ(entry.manualInstall.hash.state, HashState::Verified) << U8(entry.strName);
        }
        EXPECT_EQ(Prepare(bytes), bytes) << "writing again changes nothing";
    }

    MemoryFileSystem fs;
    MemoryFileHasher hasher;
};

TEST_F(HashWritingTest, Utf16CatalogueGetsTheSectionAppended) {
    const std::string old = "\xFF\xFE" + Utf16Le(Catalogue("\r\n", ""));
    HashWriteReport report;
    const std::string written = Prepare(old, &report);
    EXPECT_EQ(written, old + Utf16Le("\r\n[Hashes]\r\nsoft\\压缩 setup.exe=" + kAbc +
                                     "\r\nsoft\\输入法.exe=" + kEmpty + "\r\n"));
    EXPECT_FALSE(report.bReplaced);
    EXPECT_EQ(report.nLine, 16);
    EXPECT_TRUE(report.leftOut.empty());
    ExpectVerified(written);
}

// The section that is read is replaced from its header, which stays as written, to its last
// key; the blank line after it and a later section of the same name stay.
TEST_F(HashWritingTest, Utf8BomCatalogueGetsItsSectionReplaced) {
    const std::string header = " [hashes] \n";
    const std::string old =
        "\xEF\xBB\xBF" + Catalogue("\n", header + "soft\\old.exe=" + kAbc + "\n\n;note\nx=1\n\n") +
        "[Hashes]\nlater=1\n";
    HashWriteReport report;
    const std::string written = Prepare(old, &report);
    const std::string expected = "\xEF\xBB\xBF" +
                                 Catalogue("\n", header + "soft\\压缩 setup.exe=" + kAbc +
                                                     "\nsoft\\输入法.exe=" + kEmpty + "\n\n") +
                                 "[Hashes]\nlater=1\n";
    EXPECT_EQ(written, expected);
    EXPECT_TRUE(report.bReplaced);
    EXPECT_EQ(report.nLine, 12);
    ExpectVerified(written);
}

// GBK bytes throughout; the file ends inside the section, without a line break.
TEST_F(HashWritingTest, AnsiCatalogueKeepsItsCodePage) {
    const std::string gbkKey1 = "soft\\\xD1\xB9\xCB\xF5 setup.exe";
    const std::string gbkKey2 = "soft\\\xCA\xE4\xC8\xEB\xB7\xA8.exe";
    const std::string body =
        "[Config]\r\nTitleText=\xD7\xB0\xBB\xFA\r\n[Type]\r\nSort1=\xB3\xA3\xD3\xC3\r\n"
        "[\xB3\xA3\xD3\xC3.List]\r\nList1=\xD1\xB9\xCB\xF5\r\nList2=\xCA\xE4\xC8\xEB\xB7\xA8\r\n"
        "[\xD1\xB9\xCB\xF5]\r\nWorkingDir=%CurrDir%\r\nAutoInstall=" +
        gbkKey1 + " /S\r\nManualInstall=" + gbkKey1 +
        "\r\n[\xCA\xE4\xC8\xEB\xB7\xA8]\r\nAutoInstall=cdrom:\\" + gbkKey2 +
        " /S\r\nManualInstall=cdrom:\\" + gbkKey2 + "\r\n[Hashes]";
    ASSERT_EQ(DecodeCatalogueText(body).encoding, TextEncoding::Ansi);
    const std::string written = Prepare(body + "\r\nsoft\\a.exe=" + kEmpty);
    EXPECT_EQ(written,
              body + "\r\n" + gbkKey1 + "=" + kAbc + "\r\n" + gbkKey2 + "=" + kEmpty + "\r\n");
    ExpectVerified(written);
    EXPECT_EQ(Prepare(body), written) << "a header on the last line gets its line break";
}

TEST_F(HashWritingTest, CommandsLeftOutAndFilesThatCannotBeRead) {
    fs.AddFile(WSTR("D:\\tools\\other.exe"), 1);
    fs.AddFile(WSTR("E:\\soft\\a=b.exe"), 1);
    hasher.Add(WSTR("D:\\tools\\other.exe"), kAbcSha256);
    hasher.Add(WSTR("E:\\soft\\a=b.exe"), kAbcSha256);
    const std::string entries =
        "[乙]\nAutoInstall=E:\\soft\\gone.exe\nManualInstall=D:\\tools\\other.exe\n"
        "[丙]\nWorkingDir=%CurrDir%\nAutoInstall=soft\\a=b.exe\n";
    std::string text = Catalogue("\n", "");
    text.replace(text.find("List2"), 0, "List3=乙\nList4=丙\n");
    HashWriteReport report;
    Prepare(text + entries, &report);
    ASSERT_EQ(report.listed.size(), 2u);
    std::vector<std::string> left;
    for (const LeftOutCommand& command : report.leftOut) {
        left.push_back(std::to_string(static_cast<int>(command.why)) + " " +
                       std::to_string(command.nLine) + " " + U8(command.strKey) + " " +
                       U8(command.strText));
    }
    EXPECT_EQ(left, (std::vector<std::string>{"0 18 AutoInstall E:\\soft\\gone.exe",
                                              "1 19 ManualInstall D:\\tools\\other.exe",
                                              "2 22 AutoInstall E:\\soft\\a=b.exe"}));
    EXPECT_EQ(HashWriteStatus(report), kExitWarnings);

    // A file that is found but cannot be read stops everything: no partial section.
    fs.AddFile(WSTR("E:\\soft\\locked.exe"), 1);
    text.replace(text.find("soft\\压缩 setup.exe /S"), 0, "soft\\locked.exe ");
    std::string none;
    const HashWriteReport failed = PrepareHashSection(
        {WSTR("E:\\Bundor.INI"), WSTR("E:\\"), WString()}, text, fs, nullptr, hasher, none);
    EXPECT_EQ(failed.result, HashWriteReport::Result::FileUnreadable);
    EXPECT_EQ(U8(failed.strDetail), "E:\\soft\\locked.exe");
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(HashWriteStatus(failed), kExitErrors);
}

// The writing tests above cover UTF-16 LE, UTF-8 with BOM and GBK; here big-endian UTF-16,
// and a text that GBK cannot hold, which is refused rather than written with '?'.
TEST(CatalogueTextEncoding, EncodesBigEndianOrRefuses) {
    std::string bytes;
    EXPECT_FALSE(EncodeCatalogueText(TextEncoding::Ansi, Utf8ToWide("\xF0\x9F\x98\x80"), bytes));
    ASSERT_TRUE(EncodeCatalogueText(TextEncoding::Utf16Be, WSTR("a压"), bytes));
    EXPECT_EQ(bytes, std::string("\0a\x53\x8B", 4));
}

}  // namespace
