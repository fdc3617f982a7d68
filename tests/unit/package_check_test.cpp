// The [Hashes] section as the launcher reads it, and the check it makes before it starts or
// copies a file: keys, outcomes, texts.
#include <gtest/gtest.h>

#include "app/utf.h"
#include "ops/package_check.h"
#include "ops/package_check_texts.h"
#include "tests/unit/memory_file_hasher.h"
#include "tests/unit/memory_file_system.h"

namespace {

using Outcome = PackageCheckOutcome;

CProfile Profile(const std::string& utf8) {
    return CProfile(Utf8ToWide(utf8));
}

std::string ValueOf(const CCatalogueHashes& hashes, const char* path) {
    const HashListing* listing = hashes.Find(Utf8ToWide(path));
    if (listing == nullptr) return "(not listed)";
    return listing->digest ? WideToUtf8(Sha256Hex(*listing->digest)) : "(invalid)";
}

// Blanks and tabs around names and values, any letter case in section, keys and digits,
// '/' for '\', "." names; the first listing of a file counts; lines without '=' list nothing.
TEST(CatalogueHashes, ReadsTheSectionWithOddSpacingAndLetterCase) {
    const std::string abc = WideToUtf8(kAbcSha256);
    std::string upper = abc;
    for (char& c : upper) c = static_cast<char>(toupper(c));
    const CCatalogueHashes hashes(
        Profile("[Config]\n\t[ hASHES ]\t\n  Soft\\7Z Setup.EXE \t=\t " + upper +
                "  \nsoft/7z setup.exe=" + std::string(64, '0') + "\n.\\SOFT\\ÄÖ.exe = '" + abc +
                "'\nsoft\\short.exe=abc\nno equals sign\n\\驱动\\Ω.msi=" + abc + "\n"));
    ASSERT_TRUE(hashes.HasSection());
    EXPECT_EQ(ValueOf(hashes, "soft\\7z setup.exe"), abc);
    EXPECT_EQ(ValueOf(hashes, "SOFT/./7Z SETUP.exe"), abc);
    EXPECT_EQ(ValueOf(hashes, "soft\\äö.EXE"), abc);
    EXPECT_EQ(ValueOf(hashes, "驱动\\ω.MSI"), abc);
    EXPECT_EQ(ValueOf(hashes, "soft\\short.exe"), "(invalid)");
    EXPECT_EQ(ValueOf(hashes, "no equals sign"), "(not listed)");
    EXPECT_EQ(ValueOf(hashes, "7z setup.exe"), "(not listed)");

    ASSERT_EQ(hashes.Listings().size(), 5u);
    const HashListing& second = hashes.Listings()[1];
    EXPECT_FALSE(second.bCounts);
    EXPECT_EQ(second.nLine, 4);
    EXPECT_EQ(WideToUtf8(hashes.Listings()[0].strName), "Soft\\7Z Setup.EXE");
    EXPECT_FALSE(CCatalogueHashes(Profile("[Hash]\na=" + abc + "\n")).HasSection());
}

TEST(CatalogueHashes, PathNamesDropDotsAndKeepDrives) {
    const auto joined = [](const char* path) {
        return WideToUtf8(JoinPathNames(PathNames(Utf8ToWide(path))));
    };
    EXPECT_EQ(joined("E:\\soft\\.\\a\\..\\b.exe"), "E:\\soft\\b.exe");
    EXPECT_EQ(joined("E:\\..\\b.exe"), "E:\\b.exe");
    EXPECT_EQ(joined("..\\..\\b.exe"), "..\\..\\b.exe");
    EXPECT_EQ(joined("\\\\server\\share//x"), "server\\share\\x");
    EXPECT_EQ(joined(""), "");
}

class PackageCheckTest : public ::testing::Test {
protected:
    CPackageCheck Check(const std::string& section, bool require) {
        return CPackageCheck(CCatalogueHashes(Profile(section)), require, WSTR("E:\\Disc\\"),
                             hasher);
    }
    MemoryFileHasher hasher;
};

TEST_F(PackageCheckTest, KeysAreRelativeToTheExeFolderOrTheCdromRoot) {
    const CPackageCheck check = Check("", false);
    const auto key = [&check](const char* path, bool cdrom) {
        return WideToUtf8(check.ListKeyOf(Utf8ToWide(path), cdrom));
    };
    EXPECT_EQ(key("E:\\Disc\\soft\\a b.exe", false), "soft\\a b.exe");
    EXPECT_EQ(key("e:\\DISC\\soft\\..\\a.exe", false), "a.exe");
    EXPECT_EQ(key("F:\\soft\\a.exe", true), "soft\\a.exe");
    EXPECT_EQ(key("E:\\Disc\\soft\\a.exe", true), "Disc\\soft\\a.exe");
    EXPECT_EQ(key("E:\\Disco\\a.exe", false), "");
    EXPECT_EQ(key("D:\\soft\\a.exe", false), "");
    EXPECT_EQ(key("E:\\Disc\\", false), "");
    EXPECT_EQ(key("soft\\a.exe", false), "soft\\a.exe");
}

TEST(PackageCheck, FoundOnCdromDriveNeedsTheMarkerAndSuchADrive) {
    MemoryFileSystem noDrive;
    MemoryFileSystem withDrive;
    withDrive.AddCdrom(WSTR("F:\\"));
    EXPECT_TRUE(FoundOnCdromDrive(WSTR("E:\\cdrom:\\soft\\a.exe /q"), withDrive));
    EXPECT_FALSE(FoundOnCdromDrive(WSTR("E:\\cdrom:\\soft\\a.exe /q"), noDrive));
    EXPECT_FALSE(FoundOnCdromDrive(WSTR("CDROM:\\soft\\a.exe"), withDrive));
    EXPECT_FALSE(FoundOnCdromDrive(WSTR("F:\\soft\\a.exe"), withDrive));
}

TEST_F(PackageCheckTest, OutcomesOfListedAndUnlistedFiles) {
    hasher.Add(WSTR("E:\\Disc\\SOFT\\Good.exe"), kAbcSha256);
    hasher.Add(WSTR("E:\\Disc\\soft\\bad.exe"), kEmptySha256);
    hasher.Add(WSTR("F:\\cd\\ime.exe"), kAbcSha256);
    const std::string abc = WideToUtf8(kAbcSha256);
    const std::string section = "[Hashes]\nsoft\\good.exe=" + abc + "\nsoft\\bad.exe=" + abc +
                                "\nsoft\\locked.exe=" + abc + "\ncd\\ime.exe=" + abc +
                                "\nsoft\\typo.exe=" + abc.substr(1) + "\n";
    for (const bool require : {false, true}) {
        const CPackageCheck check = Check(section, require);
        EXPECT_TRUE(check.IsActive());
        const auto outcome = [&check](const WChar* path, bool cdrom = false) {
            return check.Check(path, cdrom);
        };
        EXPECT_EQ(outcome(WSTR("E:\\Disc\\SOFT\\Good.exe")), Outcome::Verified);
        EXPECT_EQ(outcome(WSTR("E:\\Disc\\soft\\bad.exe")), Outcome::HashDiffers);
        EXPECT_EQ(outcome(WSTR("E:\\Disc\\soft\\locked.exe")), Outcome::Unreadable);
        EXPECT_EQ(outcome(WSTR("E:\\Disc\\soft\\typo.exe")), Outcome::HashDiffers);
        EXPECT_EQ(outcome(WSTR("F:\\cd\\ime.exe"), true), Outcome::Verified);
        const Outcome unlisted = require ? Outcome::NotListedRefused : Outcome::NotListed;
        EXPECT_EQ(outcome(WSTR("E:\\Disc\\soft\\other.exe")), unlisted);
        EXPECT_EQ(outcome(WSTR("F:\\cd\\ime.exe")), unlisted) << "keyed from the exe folder";
        EXPECT_EQ(outcome(WSTR("C:\\Windows\\notepad.exe")), unlisted);
    }
    // Unlisted files are never read; the invalid value needs no reading either.
    for (const WString& path : hasher.hashed) {
        EXPECT_NE(path, WSTR("E:\\Disc\\soft\\other.exe"));
        EXPECT_NE(path, WSTR("E:\\Disc\\soft\\typo.exe"));
    }
    EXPECT_EQ(hasher.hashed.size(), 8u);
}

TEST_F(PackageCheckTest, WithoutSectionOrRequirementEverythingIsUsedUnread) {
    const CPackageCheck plain = Check("[Config]\nRequireHashes=0\n", false);
    EXPECT_FALSE(plain.IsActive());
    EXPECT_EQ(plain.Check(WSTR("E:\\Disc\\a.exe"), false), Outcome::NotListed);
    EXPECT_TRUE(hasher.hashed.empty());

    // From the catalogue's own [Config]: an integer, as the other settings are.
    for (const auto& [config, require] :
         std::vector<std::pair<std::string, bool>>{{"RequireHashes=1", true},
                                                   {"requirehashes = 2", true},
                                                   {"RequireHashes=yes", false},
                                                   {"RequireHashes=", false},
                                                   {"", false}}) {
        const CPackageCheck check(Profile("[Config]\n" + config + "\n"), WSTR("E:\\"), hasher);
        EXPECT_EQ(check.RequiresHashes(), require) << config;
        EXPECT_EQ(check.IsActive(), require) << config;
    }
    EXPECT_FALSE(CPackageCheck().IsActive());
}

// The record ends and the refused link's message with its command are checked by the batch
// and end-to-end tests for a hash that differs; here an unreadable file, the refusal of an
// unlisted file, and nothing for a file that is used.
TEST(PackageCheckTexts, RecordEndsAndMessages) {
    const WString command = WSTR("E:\\soft\\a.exe /S");
    EXPECT_EQ(WideToUtf8(RefusalMessage(Outcome::NotListedRefused, command)),
              "文件未列入校验清单, 不能确认安装文件完好!\n\n文件原始路径: E:\\soft\\a.exe /S");
    EXPECT_EQ(WideToUtf8(RefusalRecordEnd(Outcome::Unreadable)), "（文件校验失败）");
    for (const Outcome used : {Outcome::Verified, Outcome::NotListed}) {
        EXPECT_FALSE(IsRefused(used));
        EXPECT_TRUE(RefusalRecordEnd(used).empty());
        EXPECT_TRUE(RefusalMessage(used, command).empty());
    }
}

}  // namespace
