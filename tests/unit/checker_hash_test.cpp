// The checker on catalogues with [Hashes] and RequireHashes: every listed file verified, the
// findings about the section and about unlisted files, and what the reports say the
// launcher will do.
#include <gtest/gtest.h>

#include "checker/finding_text.h"
#include "checker/text_report.h"
#include "tests/unit/checker_test_support.h"
#include "tests/unit/memory_file_hasher.h"
#include "tests/unit/memory_file_system.h"

namespace {

const std::string kAbc = WideToUtf8(kAbcSha256);

class CheckerHashTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const WChar* file :
             {WSTR("E:\\soft\\good.exe"), WSTR("E:\\soft\\bad.exe"), WSTR("E:\\soft\\spare.exe"),
              WSTR("E:\\soft\\new.exe"), WSTR("E:\\soft\\locked.exe")}) {
            fs.AddFile(file, 3);
        }
        hasher.Add(WSTR("E:\\soft\\good.exe"), kAbcSha256);
        hasher.Add(WSTR("E:\\soft\\bad.exe"), kEmptySha256);
        hasher.Add(WSTR("E:\\soft\\spare.exe"), kEmptySha256);
        hasher.Add(WSTR("E:\\soft\\new.exe"), kAbcSha256);
    }

    CheckReport Check(const std::string& config, const std::string& hashes) {
        return CheckText("[Config]\n" + config +
                             "[Type]\nSort1=A\n[A]\n[A.List]\nList1=B\nList2=C\n"
                             "[B]\nWorkingDir=%CurrDir%\nAutoInstall=soft\\good.exe /S\n"
                             "ManualInstall=soft\\bad.exe\n"
                             "[C]\nWorkingDir=%CurrDir%\nAutoInstall=soft\\new.exe\n"
                             "ManualInstall=soft\\locked.exe\n" +
                             hashes,
                         fs, WSTR("E:\\"), WString(), nullptr, &hasher);
    }

    MemoryFileSystem fs;
    MemoryFileHasher hasher;
};

// Lines 1-16 are the catalogue (with a one-line [Config]), 17 on the section.
TEST_F(CheckerHashTest, FindingsAboutTheSectionAndTheFiles) {
    const std::string section = "[Hashes]\nsoft\\good.exe=" + kAbc + "\nSOFT\\BAD.EXE=" + kAbc +
                                "\nsoft\\locked.exe=" + kAbc + "\nsoft\\spare.exe=" + kAbc +
                                "\nsoft\\gone.exe=" + kAbc + "\nsoft\\good.exe=" + kAbc +
                                "\nsoft\\x.exe=123\n;soft\\note=x\nno equals\n";
    const CheckReport report = Check("TitleText=t\n", section);
    EXPECT_EQ(Findings(report), (std::vector<std::string>{
                                    "hash-not-listed 15 [C] AutoInstall",
                                    "hash-mismatch 19 [Hashes] SOFT\\BAD.EXE",
                                    "hash-file-unreadable 20 [Hashes] soft\\locked.exe",
                                    "hash-mismatch 21 [Hashes] soft\\spare.exe",
                                    "hash-file-missing 22 [Hashes] soft\\gone.exe",
                                    "duplicate-key 23 [Hashes] soft\\good.exe",
                                    "hash-value-invalid 24 [Hashes] soft\\x.exe",
                                    "key-without-equals 26 [Hashes]",
                                }));
    EXPECT_EQ(U8(Only(report, FindingKind::HashMismatch, 19).strHint), WideToUtf8(kEmptySha256));
    EXPECT_EQ(U8(Only(report, FindingKind::HashMismatch, 19).strText), "E:\\soft\\bad.exe");
    EXPECT_EQ(Only(report, FindingKind::DuplicateKey, 23).nOtherLine, 18);
    EXPECT_EQ(ExitStatus(report), kExitErrors);

    const std::vector<EntryView>& entries = report.view.categories.at(0).entries;
    EXPECT_EQ(entries[0].autoInstall.hash.state, HashState::Verified);
    EXPECT_EQ(entries[0].autoInstall.hash.nLine, 18);
    EXPECT_EQ(entries[0].manualInstall.hash.state, HashState::HashDiffers);
    EXPECT_EQ(U8(entries[0].manualInstall.hash.strKey), "SOFT\\BAD.EXE");
    EXPECT_EQ(entries[1].autoInstall.hash.state, HashState::NotListed);
    EXPECT_EQ(entries[1].manualInstall.hash.state, HashState::Unreadable);
    EXPECT_EQ(report.view.nHashesListed, 6u);

    const std::string text = U8(FormatTextReport(report));
    for (const char* line : {
             "  文件校验：[Hashes] 列出 6 个文件；未列入的文件照常使用，不校验\n",
             "          校验：SHA-256 相符（[Hashes] 第 18 行），启动器使用它\n",
             "          校验：SHA-256 不符（[Hashes] 第 19 行），启动器拒绝使用它\n",
             "          校验：未列入 [Hashes]，启动器不校验，照常使用\n",
             "          校验：无法读取文件（[Hashes] 第 20 行），启动器拒绝使用它\n",
         }) {
        EXPECT_NE(text.find(line), std::string::npos) << line << text;
    }
    const std::string json = U8(FormatJsonReport(report));
    EXPECT_NE(json.find("\"hash\": {\n                \"outcome\": \"hash-differs\",\n"
                        "                \"key\": \"SOFT\\\\BAD.EXE\",\n"
                        "                \"line\": 19\n"),
              std::string::npos)
        << json;
}

TEST_F(CheckerHashTest, RequireHashesRefusesUnlistedFiles) {
    const CheckReport report =
        Check("RequireHashes=1\n", "[Hashes]\nsoft\\good.exe=" + kAbc + "\n");
    EXPECT_EQ(Findings(report), (std::vector<std::string>{
                                    "hash-not-listed-refused 12 [B] ManualInstall",
                                    "hash-not-listed-refused 15 [C] AutoInstall",
                                    "hash-not-listed-refused 16 [C] ManualInstall",
                                }));
    EXPECT_EQ(report.view.categories[0].entries[1].autoInstall.hash.state,
              HashState::NotListedRefused);
    EXPECT_NE(U8(FindingMessage(report.findings.back(), report)).find("（文件未列入校验清单）"),
              std::string::npos);

    // Without any section every found file is refused; the missing one is reported as such.
    const CheckReport none = Check("RequireHashes=1\nRequireHash=1\n", "");
    EXPECT_EQ(Findings(none).size(), 5u);
    EXPECT_EQ(Findings(none).front(), "unknown-key 3 [Config] RequireHash");
    EXPECT_EQ(hasher.hashed, std::vector<WString>{WSTR("E:\\soft\\good.exe")})
        << "only the one listed file, and that once";
}

// Without the section and RequireHashes nothing is hashed and the reports are as before.
TEST_F(CheckerHashTest, NoSectionChangesNothing) {
    const CheckReport report = Check("RequireHashes=0\n", "");
    EXPECT_TRUE(Findings(report).empty());
    EXPECT_FALSE(report.view.bHashCheck);
    EXPECT_TRUE(hasher.hashed.empty());
    EXPECT_EQ(U8(FormatTextReport(report)).find("校验"), std::string::npos);
    EXPECT_EQ(U8(FormatJsonReport(report)).find("\"hash"), std::string::npos);

    // An empty section checks the listed nothing: no warning about unlisted files.
    const CheckReport empty = Check("", "[Hashes]\n");
    EXPECT_TRUE(Findings(empty).empty());
    EXPECT_TRUE(empty.view.bHashCheck);
}

}  // namespace
