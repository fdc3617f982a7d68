// The commands the main window hands on: the ticked entries in catalogue order for either
// batch and mode, and the name a single entry's package is proposed under, within its buffer.
#include "ui/main/entry_commands.h"

#include <gtest/gtest.h>

namespace {

using entrycmd::Batch;
using Strings = std::vector<WString>;

EntryInfo Entry(const WChar* name, int checked, const WChar* autoCmd, const WChar* manualCmd) {
    EntryInfo e;
    e.strName = name;
    e.nChecked = checked;
    e.strAutoInstall = autoCmd;
    e.strManualInstall = manualCmd;
    return e;
}

TEST(EntryCommands, TickedEntriesInCatalogueOrderOncePerCategory) {
    // x is listed in both categories and ticked in both; y is not ticked.
    EntryInfo a[] = {Entry(WSTR("y"), 0, WSTR("ya"), WSTR("ym")),
                     Entry(WSTR("x"), 1, WSTR("xa /S"), WSTR("xm")), EntryInfo{}};
    EntryInfo b[] = {Entry(WSTR("z"), 1, WSTR("za"), WSTR("zm")),
                     Entry(WSTR("x"), 1, WSTR("xa /S"), WSTR("xm")), EntryInfo{}};
    CategoryInfo categories[] = {{WSTR("A"), WSTR(""), a}, {WSTR("B"), WSTR(""), b}, {}};
    CatalogueConfig config;
    config.pCategories = categories;
    config.nDefault = 1;
    EXPECT_EQ(CollectTicked(config, Batch::Install),
              (Strings{WSTR("xa /S"), WSTR("za"), WSTR("xa /S")}));
    EXPECT_EQ(CollectTicked(config, Batch::Save), (Strings{WSTR("xm"), WSTR("zm"), WSTR("xm")}));
    config.nDefault = 0;
    EXPECT_EQ(CollectTicked(config, Batch::Install), (Strings{WSTR("xm"), WSTR("zm"), WSTR("xm")}));
    EXPECT_EQ(entrycmd::ListText({WSTR("xm"), WSTR("zm")}), WString(WSTR("xm\r\nzm\r\n")));
    config.pCategories = nullptr;
    EXPECT_TRUE(CollectTicked(config, Batch::Install).empty());
}

TEST(EntryCommands, PackageNameFromTheCommandAsConfigured) {
    EXPECT_EQ(entrycmd::PackageFileName(WSTR("cdrom:\\soft\\zip.exe")), WSTR("zip.exe"));
    EXPECT_EQ(entrycmd::PackageFileName(WSTR("D:\\soft\\setup.exe /S")), WSTR("setup.exe /S"));
    EXPECT_EQ(entrycmd::PackageFileName(WSTR("setup.exe")), WSTR(""));
    EXPECT_EQ(entrycmd::InitialSavePath(WSTR("D:\\pkg\\"), WSTR("E:\\soft\\zip.exe"), 260),
              WSTR("D:\\pkg\\zip.exe"));
    EXPECT_EQ(entrycmd::InitialSavePath(WSTR(""), WSTR("E:\\soft\\zip.exe"), 260), WSTR("zip.exe"));
    // 259 units fit a buffer of 260, 260 do not: then the name alone, or nothing.
    const WString dir = WString(250, WChar('d')) + WSTR("\\");
    EXPECT_EQ(entrycmd::InitialSavePath(dir, WSTR("E:\\12345678"), 260).size(), 259u);
    EXPECT_EQ(entrycmd::InitialSavePath(dir, WSTR("E:\\123456789"), 260), WSTR("123456789"));
    const WString longName = WSTR("E:\\") + WString(260, WChar('n'));
    EXPECT_EQ(entrycmd::InitialSavePath(WSTR(""), longName, 260), WSTR(""));
}

}  // namespace
