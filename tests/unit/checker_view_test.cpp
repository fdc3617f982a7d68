// What the checker says the launcher will show and do: settings, categories, entries, resolved
// commands, package sizes and icons, against an in-memory file system.
#include <gtest/gtest.h>

#include "app/catalogue.h"
#include "app/profile.h"
#include "checker/catalogue_walk.h"
#include "tests/unit/checker_test_support.h"
#include "tests/unit/memory_file_system.h"

namespace {

LauncherView ViewOf(const std::string& text, IFileSystem& fs) {
    return CheckText(text, fs).view;
}

TEST(CheckerView, WindowSettingsAsTheWindowUsesThem) {
    MemoryFileSystem fs;
    LauncherView view = ViewOf(
        "[Config]\nMainWidth=640\nMainHeight=480\nDefault=0\nWaitime=10\nSavePath=D:\\pkg\n", fs);
    EXPECT_EQ(view.nWidth, 800);
    EXPECT_EQ(view.nHeight, 500);
    EXPECT_EQ(view.nWidthInFile, 640);
    EXPECT_EQ(view.nHeightInFile, 480);
    EXPECT_EQ(view.nDefault, 0);
    EXPECT_EQ(view.nWaitime, 10);
    EXPECT_EQ(U8(view.strSavePath), "D:\\pkg\\");
    EXPECT_EQ(U8(view.strTitle), "软件安装管理器") << "the default title";

    view = ViewOf("[config]\nmainwidth=1024\nMAINHEIGHT=700\nTitleText=\nDefault=2\n", fs);
    EXPECT_EQ(view.nWidth, 1024);
    EXPECT_EQ(view.nHeight, 700);
    EXPECT_EQ(view.strTitle, WString()) << "present but empty gives an empty title";
    EXPECT_EQ(view.nDefault, 2);
    EXPECT_EQ(view.nWaitime, 0);

    view = ViewOf("", fs);
    EXPECT_EQ(view.nWidth, 800);
    EXPECT_EQ(view.nHeight, 500);
    EXPECT_TRUE(view.categories.empty());
}

TEST(CheckerView, EntriesWithResolvedCommandsSizesAndIcons) {
    MemoryFileSystem fs;
    fs.AddCdrom(WSTR("F:\\"));
    fs.AddFile(WSTR("E:\\soft\\zip setup.exe"), 1048576);
    fs.AddFile(WSTR("F:\\soft\\ime.exe"), 1572864);
    fs.AddFile(WSTR("D:\\big.iso"), (uint64_t{5} << 30) + 5);
    fs.AddFile(WSTR("E:\\icons\\zip.ico"), 1);
    const LauncherView view = ViewOf(
        "[Type]\n"                                       // 1
        "Sort1=常用\n"                                   // 2
        "Sort2=空\n"                                     // 3
        "[常用]\n"                                       // 4
        "WorkingDir=%CurrDir%\n"                         // 5
        "IconPath=icons\\common.ico\n"                   // 6
        "[常用.List]\n"                                  // 7
        "List1=压缩\n"                                   // 8
        "List2=输入法\n"                                 // 9
        "List3=大\n"                                     // 10
        "[压缩]\n"                                       // 11
        "WorkingDir=%CurrDir%\n"                         // 12
        "IconPath=icons\\zip.ico\n"                      // 13
        "AutoInstall=soft\\zip setup.exe /S /D=E:\\x\n"  // 14
        "ManualInstall=\"soft\\zip setup.exe\"\n"        // 15
        "Description= 压缩 工具 \n"                      // 16
        "Checked=1\n"                                    // 17
        "[输入法]\n"                                     // 18
        "AutoInstall=cdrom:\\soft\\ime.exe /q\n"         // 19
        "ManualInstall=cdrom:\\soft\\ime.exe\n"          // 20
        "[大]\n"                                         // 21
        "ManualInstall=D:\\big.iso\n"                    // 22
        "AutoInstall=D:\\missing.exe /S\n"               // 23
        "[空]\n",                                        // 24
        fs);

    ASSERT_EQ(view.categories.size(), 2u);
    const CategoryView& common = view.categories[0];
    EXPECT_EQ(U8(common.strName), "常用");
    EXPECT_EQ(common.nLine, 2);
    EXPECT_EQ(common.nSectionLine, 4);
    EXPECT_EQ(U8(common.icon.strPath), "E:\\icons\\common.ico");
    EXPECT_FALSE(common.icon.bFound);
    ASSERT_EQ(common.entries.size(), 3u);
    EXPECT_TRUE(view.categories[1].entries.empty());
    EXPECT_EQ(view.categories[1].icon.strPath, WString()) << "no icon given";

    const EntryView& zip = common.entries[0];
    EXPECT_EQ(zip.nLine, 8);
    EXPECT_EQ(zip.nSectionLine, 11);
    EXPECT_TRUE(zip.bChecked);
    EXPECT_EQ(U8(zip.strDescription), "压缩 工具");
    EXPECT_EQ(U8(zip.autoInstall.strCommand), "E:\\soft\\zip setup.exe /S /D=E:\\x");
    EXPECT_TRUE(zip.autoInstall.bFound);
    EXPECT_EQ(U8(zip.autoInstall.strProgram), "E:\\soft\\zip setup.exe");
    EXPECT_EQ(U8(zip.autoInstall.strParams), "/S /D=E:\\x");
    EXPECT_EQ(U8(zip.manualInstall.strProgram), "E:\\soft\\zip setup.exe");
    EXPECT_EQ(zip.manualInstall.strParams, WString());
    EXPECT_EQ(zip.nPackageBytes, 1048576u);
    EXPECT_EQ(U8(zip.strSize), "1.00 MB");
    EXPECT_EQ(U8(zip.icon.strPath), "E:\\icons\\zip.ico");
    EXPECT_TRUE(zip.icon.bFound);

    const EntryView& ime = common.entries[1];
    EXPECT_FALSE(ime.bChecked);
    EXPECT_EQ(U8(ime.autoInstall.strProgram), "F:\\soft\\ime.exe");
    EXPECT_EQ(U8(ime.autoInstall.strParams), "/q");
    EXPECT_EQ(U8(ime.strSize), "1.50 MB");

    const EntryView& big = common.entries[2];
    EXPECT_EQ(U8(big.strSize), "5120.00 MB") << "the size is 64-bit";
    EXPECT_FALSE(big.autoInstall.bFound);
    EXPECT_EQ(U8(big.autoInstall.strProgram), "D:\\missing.exe /S") << "the trimmed command";
}

// Relative commands are found in the exe folder, as by a launcher started from its folder.
TEST(CheckerView, RelativeCommandsAreLookedForInTheExeFolder) {
    MemoryFileSystem fs;
    fs.AddFile(WSTR("G:\\medium\\soft\\a.exe"), 2 * 1048576);
    const LauncherView view = ViewOf(
        "[Type]\nSort1=A\n[A.List]\nList1=B\n[B]\nAutoInstall=soft\\a.exe /S\n"
        "ManualInstall=soft\\a.exe\n",
        fs);
    ASSERT_EQ(view.categories.size(), 1u);
    EXPECT_FALSE(view.categories[0].entries[0].autoInstall.bFound) << "not in E:\\";
    const LauncherView moved =
        CheckText(
            "[Type]\nSort1=A\n[A.List]\nList1=B\n[B]\nAutoInstall=soft\\a.exe /S\n"
            "ManualInstall=soft\\a.exe\n",
            fs, WSTR("G:\\medium\\"))
            .view;
    const EntryView& entry = moved.categories[0].entries[0];
    EXPECT_TRUE(entry.autoInstall.bFound);
    EXPECT_EQ(U8(entry.autoInstall.strProgram), "soft\\a.exe") << "as the launcher keeps it";
    EXPECT_EQ(U8(entry.strSize), "2.00 MB");
}

// The checker's own walk of the file (for line numbers) must name exactly what the
// launcher's BuildCatalogue reads, however the file is written.
TEST(CheckerView, WalkAgreesWithTheLaunchersModel) {
    const std::string text =
        "[TYPE]\n Sort1 = \"A b\" \nsort2='C'\nSort2=ignored\nSort3=A b\nSort5=gap\n"
        "[a B]\nIconPath=x.ico\n[A b.list]\nList1=e1\nLIST2=\"e 2\"\n[c.List]\nList1=e1\n"
        "[e1]\nWorkingDir=%CurrDir%\nAutoInstall=x\n[E 2]\nManualInstall=y\n[e1]\nAutoInstall=z\n";
    const CProfile profile(Utf8ToWide(text));
    const CatalogueModel model = BuildCatalogue(profile, WSTR("E:\\"));
    MemoryFileSystem fs;
    const LauncherView view = CheckText(text, fs).view;

    const std::span<CategoryInfo> categories = CategoriesOf(model.config);
    size_t k = 0;
    for (; k < categories.size(); ++k) {
        const CategoryInfo& category = categories[k];
        ASSERT_LT(k, view.categories.size());
        EXPECT_EQ(view.categories[k].strName, category.strName);
        EXPECT_EQ(view.categories[k].icon.strPath, category.strIconPath);
        const std::span<EntryInfo> entries = EntriesOf(category);
        size_t j = 0;
        for (; j < entries.size(); ++j) {
            const EntryInfo& entry = entries[j];
            ASSERT_LT(j, view.categories[k].entries.size());
            const EntryView& seen = view.categories[k].entries[j];
            EXPECT_EQ(seen.strName, entry.strName);
            EXPECT_EQ(seen.autoInstall.strCommand, entry.strAutoInstall);
            EXPECT_EQ(seen.manualInstall.strCommand, entry.strManualInstall);
            EXPECT_EQ(seen.icon.strPath, entry.strIconPath);
            EXPECT_NE(seen.nLine, 0);
        }
        EXPECT_EQ(view.categories[k].entries.size(), j);
    }
    EXPECT_EQ(view.categories.size(), k);
    EXPECT_EQ(k, 3u);
    EXPECT_EQ(view.categories[1].nLine, 3) << "the first sort2 counts";
    EXPECT_EQ(view.categories[2].nLine, 5);
    EXPECT_EQ(view.categories[0].entries[1].nLine, 11);
    EXPECT_EQ(view.categories[0].entries[0].nSectionLine, 14) << "the first [e1]";
}

}  // namespace
