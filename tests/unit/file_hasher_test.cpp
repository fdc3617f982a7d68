// The platform's file hasher (libcrypto natively, CNG under Wine) on real files: the
// published SHA-256 test vectors, a file of several read blocks, and files it cannot read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/utf.h"
#include "ops/file_hasher.h"
#include "tests/unit/test_data.h"

namespace {

namespace fs = std::filesystem;

class FileHasherTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() / (std::string("bundor-hash-") + info->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    // The digest of a file holding the bytes, as 64 hex digits; "unreadable" when none.
    std::string HashOf(const std::string& bytes) {
        const fs::path path = folder / u8"样本 file.bin";
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        const std::optional<Sha256Digest> digest = PlatformFileHasher().HashFile(PathText(path));
        return digest ? WideToUtf8(Sha256Hex(*digest)) : "unreadable";
    }

    fs::path folder;
};

// FIPS 180-2's examples, and one million 'a'.
TEST_F(FileHasherTest, KnownVectors) {
    EXPECT_EQ(HashOf(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(HashOf("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(HashOf("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(HashOf(std::string(1000000, 'a')),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

// Three whole read blocks and five bytes more; expected from sha256sum.
TEST_F(FileHasherTest, FileOfSeveralBlocks) {
    ASSERT_EQ(kHashReadBlock, 1048576u);
    EXPECT_EQ(HashOf(std::string(3 * kHashReadBlock + 5, 'a')),
              "aff2c7498aae939dfb2fb1dc6c0c83fa3708b069428e51338801af7f5dc2bf0f");
}

TEST_F(FileHasherTest, MissingFileAndFolderAreUnreadable) {
    IFileHasher& hasher = PlatformFileHasher();
    EXPECT_FALSE(hasher.HashFile(PathText(folder / "missing.exe")));
    EXPECT_FALSE(hasher.HashFile(PathText(folder)));
    EXPECT_FALSE(hasher.HashFile(WString()));
}

TEST(Sha256Hex, ParsesBothCasesAndNothingElse) {
    const std::string abc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
    Sha256Digest digest{};
    ASSERT_TRUE(ParseSha256Hex(Utf8ToWide(abc), digest));
    EXPECT_EQ(digest[0], 0xBA);
    EXPECT_EQ(digest[31], 0xAD);
    EXPECT_EQ(WideToUtf8(Sha256Hex(digest)), abc);
    Sha256Digest upper{};
    ASSERT_TRUE(ParseSha256Hex(
        WSTR("BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD"), upper));
    EXPECT_EQ(upper, digest);
    for (const std::string& bad : {abc.substr(1), abc + "0", " " + abc.substr(1),
                                   "0x" + abc.substr(2), abc.substr(0, 63) + "g"}) {
        EXPECT_FALSE(ParseSha256Hex(Utf8ToWide(bad), digest)) << bad;
    }
    EXPECT_EQ(digest, upper) << "a failed parse leaves the digest alone";
}

}  // namespace
