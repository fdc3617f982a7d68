// The checker's findings on hand-written catalogues: exact kinds, lines and exit statuses,
// against an in-memory file system.
#include <gtest/gtest.h>

#include <algorithm>

#include "checker/finding_text.h"
#include "tests/unit/checker_test_support.h"
#include "tests/unit/memory_file_system.h"

namespace {

using Strings = std::vector<std::string>;

TEST(CheckerFindings, StructureMistakes) {
    MemoryFileSystem fs;
    fs.AddFile(WSTR("E:\\soft\\zip.exe"), 10);
    fs.AddFile(WSTR("E:\\icons\\common.ico"), 10);
    const CheckReport report = CheckText(
        "[Config]\n"                      // 1
        "TitleText=测试\n"                // 2
        "Waitime=5秒\n"                   // 3
        "MainWidht=900\n"                 // 4
        "[Type]\n"                        // 5
        "Sort1=常用\n"                    // 6
        "Sort2=工具\n"                    // 7
        "Sort4=遗漏\n"                    // 8
        "Sort01=零\n"                     // 9
        "[常用]\n"                        // 10
        "WorkingDir=%CurrDir%\n"          // 11
        "IconPath=icons\\common.ico\n"    // 12
        "[常用.List]\n"                   // 13
        "List1=压缩\n"                    // 14
        "List2=压缩\n"                    // 15
        "List3=\n"                        // 16
        "List4=丢失\n"                    // 17
        "[工具.List]\n"                   // 18
        "List1=压缩\n"                    // 19
        "List2=没有节\n"                  // 20
        "[压缩]\n"                        // 21
        "WorkingDir=%CurrDir%\n"          // 22
        "AutoInstall=soft\\zip.exe /S\n"  // 23
        "ManualInstall=soft\\zip.exe\n"   // 24
        "Checked=yes\n"                   // 25
        "Descripton=压缩文件\n"           // 26
        "autoinstall=soft\\other.exe\n"   // 27
        "IconPath\n"                      // 28
        "; 注释=不是键\n"                 // 29
        "[压缩]\n"                        // 30
        "Checked=1\n"                     // 31
        "[没有 节]\n"                     // 32
        "AutoInstall=x\n",                // 33
        fs);

    EXPECT_EQ(Findings(report), (Strings{
                                    "not-a-number 3 [Config] Waitime",
                                    "unknown-key 4 [Config] MainWidht",
                                    "category-section-missing 7 [工具] Sort2",
                                    "numbering-gap 8 [Type] Sort3",
                                    "unknown-key 9 [Type] Sort01",
                                    "entry-listed-several-times 14 [压缩]",
                                    "numbering-gap 16 [常用.List] List3",
                                    "entry-section-missing 20 [没有节] List2",
                                    "not-a-number 25 [压缩] Checked",
                                    "unknown-key 26 [压缩] Descripton",
                                    "duplicate-key 27 [压缩] autoinstall",
                                    "key-without-equals 28 [压缩]",
                                    "duplicate-section 30 [压缩]",
                                    "section-not-read 32 [没有 节]",
                                }));
    EXPECT_EQ(ExitStatus(report), kExitErrors);

    EXPECT_EQ(U8(Only(report, FindingKind::NotANumber, 3).strHint), "5");
    EXPECT_EQ(U8(Only(report, FindingKind::NotANumber, 25).strHint), "0");
    EXPECT_EQ(U8(Only(report, FindingKind::UnknownKey, 4).strHint), "MainWidth");
    EXPECT_EQ(U8(Only(report, FindingKind::UnknownKey, 9).strHint), "Sort1");
    EXPECT_EQ(U8(Only(report, FindingKind::UnknownKey, 26).strHint), "Description");
    const Finding& gap = Only(report, FindingKind::NumberingGap, 8);
    EXPECT_FALSE(gap.bFlag) << "Sort3 is missing, not empty";
    EXPECT_EQ(gap.items, std::vector<WString>{WSTR("Sort4")});
    const Finding& listGap = Only(report, FindingKind::NumberingGap, 16);
    EXPECT_TRUE(listGap.bFlag) << "List3 is present with an empty value";
    EXPECT_EQ(listGap.items, std::vector<WString>{WSTR("List4")});
    EXPECT_EQ(Only(report, FindingKind::DuplicateKey, 27).nOtherLine, 23);
    EXPECT_EQ(Only(report, FindingKind::DuplicateSection, 30).nOtherLine, 21);
    EXPECT_EQ(Only(report, FindingKind::EntryListedSeveralTimes, 14).items,
              (std::vector<WString>{WSTR("常用"), WSTR("常用"), WSTR("工具")}));
    // The misspelt section is suggested for the missing ones.
    const Finding& missing = Only(report, FindingKind::EntrySectionMissing, 20);
    EXPECT_EQ(U8(missing.strHint), "没有 节");
    EXPECT_EQ(missing.nOtherLine, 32);

    // The first [压缩] counts, and its first AutoInstall; "Checked=yes" reads 0.
    const EntryView& zip = report.view.categories.at(0).entries.at(0);
    EXPECT_EQ(U8(zip.autoInstall.strCommand), "E:\\soft\\zip.exe /S");
    EXPECT_FALSE(zip.bChecked);
}

TEST(CheckerFindings, PathMistakes) {
    MemoryFileSystem fs;
    fs.AddCdrom(WSTR("E:\\"));
    fs.AddCdrom(WSTR("F:\\"));
    fs.AddFile(WSTR("D:\\soft\\a.exe"), 1);
    fs.AddFile(WSTR("D:\\soft\\icons\\a.ico"), 1);
    fs.AddFile(WSTR("D:\\setup_x64.exe"), 1);
    fs.AddFile(WSTR("E:\\soft\\c.exe"), 1);
    fs.AddFile(WSTR("F:\\soft\\d.exe"), 1);
    fs.AddLockedFile(WSTR("E:\\busy.exe"));
    const CheckReport report = CheckText(
        "[Config]\n"                            // 1
        "SavePath=%CurrDir%pkg\n"               // 2
        "[Type]\n"                              // 3
        "Sort1=软件\n"                          // 4
        "Sort2=空\n"                            // 5
        "[软件]\n"                              // 6
        "WorkingDir=%currdir%\n"                // 7
        "IconPath=icons\\a.ico\n"               // 8
        "[软件.List]\n"                         // 9
        "List1=甲\n"                            // 10
        "List2=乙\n"                            // 11
        "List3=丙\n"                            // 12
        "List4=丁\n"                            // 13
        "[甲]\n"                                // 14
        "WorkingDir=D:\\soft\n"                 // 15
        "AutoInstall=a.exe /S\n"                // 16
        "ManualInstall=a.exe\n"                 // 17
        "IconPath=\\icons\\a.ico\n"             // 18
        "[乙]\n"                                // 19
        "WorkingDir=D:\\setup_\n"               // 20
        "AutoInstall=x64.exe /q\n"              // 21
        "ManualInstall=x64.exe\n"               // 22
        "[丙]\n"                                // 23
        "AutoInstall=soft\\c.exe /S\n"          // 24
        "ManualInstall=CDROM:\\soft\\c.exe\n"   // 25
        "[丁]\n"                                // 26
        "WorkingDir=%CurrDir%\n"                // 27
        "AutoInstall=cdrom:\\soft\\d.exe /S\n"  // 28
        "IconPath=cdrom:\\icons\\d.ico\n"       // 29
        "Checked=0x1\n"                         // 30
        "[空]\n"                                // 31
        "[戊.List]\n",                          // 32
        fs);

    EXPECT_EQ(Findings(report), (Strings{
                                    "currdir-not-replaced 2 [Config] SavePath",
                                    "list-section-missing 5 [空] 空.List",
                                    "currdir-not-replaced 7 [软件] WorkingDir",
                                    "icon-not-found 8 [软件] IconPath",
                                    "workingdir-without-backslash 15 [甲] WorkingDir",
                                    "command-not-found 16 [甲] AutoInstall",
                                    "command-not-found 17 [甲] ManualInstall",
                                    "relative-path 24 [丙] AutoInstall",
                                    "cdrom-marker-not-recognised 25 [丙] ManualInstall",
                                    "relative-path 25 [丙] ManualInstall",
                                    "command-not-found 25 [丙] ManualInstall",
                                    "command-missing 26 [丁] ManualInstall",
                                    "cdrom-command 28 [丁] AutoInstall",
                                    "icon-not-found 29 [丁] IconPath",
                                    "not-a-number 30 [丁] Checked",
                                    "section-not-read 32 [戊.List]",
                                }));

    const Finding& joined = Only(report, FindingKind::WorkingDirWithoutBackslash, 15);
    EXPECT_EQ(joined.items, (std::vector<WString>{WSTR("AutoInstall"), WSTR("D:\\softa.exe /S"),
                                                  WSTR("ManualInstall"), WSTR("D:\\softa.exe")}));
    EXPECT_EQ(U8(Only(report, FindingKind::CdromMarkerNotRecognised, 25).strHint), "CDROM:\\");
    const Finding& cdrom = Only(report, FindingKind::CdromCommand, 28);
    EXPECT_EQ(cdrom.items, std::vector<WString>{WSTR("F:\\")}) << "found on F: only";
    EXPECT_EQ(U8(cdrom.strHint), "F:\\soft\\d.exe");
    EXPECT_EQ(U8(Only(report, FindingKind::CommandMissing, 26).strText), "E:\\")
        << "the command is the exe folder alone";
    EXPECT_EQ(U8(Only(report, FindingKind::NotANumber, 30).strHint), "1");
    EXPECT_EQ(ExitStatus(report), kExitErrors);
}

TEST(CheckerFindings, CdromCommandNotFoundNamesTheDrivesSearched) {
    MemoryFileSystem fs;
    fs.AddCdrom(WSTR("F:\\"));
    fs.AddCdrom(WSTR("H:\\"));
    fs.AddFile(WSTR("E:\\soft\\a.exe"), 1);  // E: is a fixed disk here
    const CheckReport report = CheckText(
        "[Type]\nSort1=A\n[A]\n[A.List]\nList1=B\n[B]\n"
        "AutoInstall=cdrom:\\soft\\a.exe\nManualInstall=cdrom:\\soft\\a.exe\n",
        fs, WSTR("G:\\"));
    const Finding& notFound = Only(report, FindingKind::CommandNotFound, 7);
    EXPECT_TRUE(notFound.bFlag);
    EXPECT_EQ(notFound.items, (std::vector<WString>{WSTR("F:\\"), WSTR("H:\\")}));
    EXPECT_EQ(ExitStatus(report), kExitErrors);
}

TEST(CheckerFindings, PackageThatCannotBeOpenedIsWarnedAbout) {
    MemoryFileSystem fs;
    fs.AddLockedFile(WSTR("E:\\busy.exe"));
    fs.AddFolder(WSTR("E:\\soft"));
    const CheckReport report = CheckText(
        "[Type]\nSort1=A\n[A]\n[A.List]\nList1=B\nList2=C\n"
        "[B]\nWorkingDir=%CurrDir%\nAutoInstall=busy.exe\nManualInstall=busy.exe\n"
        "[C]\nWorkingDir=%CurrDir%\nAutoInstall=soft\nManualInstall=soft\n",
        fs);
    EXPECT_EQ(Findings(report), (Strings{"package-not-measurable 10 [B] ManualInstall",
                                         "package-not-measurable 14 [C] ManualInstall"}));
    EXPECT_EQ(report.view.categories.at(0).entries.at(0).strSize, WSTR("0.00 MB"));
    EXPECT_EQ(ExitStatus(report), kExitWarnings);
}

TEST(CheckerFindings, CleanCatalogueHasOnlyInformation) {
    MemoryFileSystem fs;
    fs.AddCdrom(WSTR("E:\\"));
    fs.AddFile(WSTR("E:\\soft\\zip setup.exe"), 1048576);
    fs.AddFile(WSTR("E:\\icons\\zip.ico"), 1);
    const std::string text =
        "[Config]\r\nTitleText=装机\r\n[Type]\r\nSort1=常用\r\n[常用]\r\n[常用.List]\r\n"
        "List1=压缩\r\n[压缩]\r\nWorkingDir=%CurrDir%\r\nIconPath=icons\\zip.ico\r\n"
        "AutoInstall=soft\\zip setup.exe /S\r\nManualInstall=soft\\zip setup.exe\r\n";
    const CheckReport report = CheckText(text, fs);
    EXPECT_EQ(Findings(report), Strings{});
    EXPECT_EQ(ExitStatus(report), kExitClean);
    // A cdrom:\ command after a WorkingDir is the usual way: information, no warning.
    const CheckReport marked = CheckText(
        "[Type]\nSort1=A\n[A]\n[A.List]\nList1=B\n[B]\nWorkingDir=%CurrDir%\n"
        "AutoInstall=cdrom:\\soft\\zip setup.exe /S\nManualInstall=cdrom:\\soft\\zip setup.exe\n",
        fs);
    EXPECT_EQ(Findings(marked),
              (Strings{"cdrom-command 8 [B] AutoInstall", "cdrom-command 9 [B] ManualInstall"}));
    EXPECT_EQ(ExitStatus(marked), kExitClean);
}

TEST(CheckerFindings, FileLevelMistakes) {
    MemoryFileSystem fs;
    // Keys before any section; no [Type] at all; a comment line is no key.
    const CheckReport stray = CheckText("; comment\nstray=1\n\n[Config]\nDefault=0\n", fs);
    EXPECT_EQ(Findings(stray), (Strings{"no-categories 0 [Type]", "key-outside-section 2 stray"}));
    EXPECT_EQ(ExitStatus(stray), kExitErrors) << "nothing to install";

    // [Type] without Sort1, but with Sort2: no category, and Sort2 is ignored.
    const CheckReport empty = CheckText("[Type]\nSort2=A\n", fs);
    EXPECT_EQ(Findings(empty), (Strings{"no-categories 1 [Type]", "numbering-gap 2 [Type] Sort1"}));

    // A value longer than 4,095 units is cut, even in a quoted value.
    const CheckReport cut =
        CheckText("[Type]\nSort1=A\n[A]\n[A.List]\nList1=B\n[B]\nAutoInstall=\"" +
                      std::string(5000, 'x') + "\"\nManualInstall=" + std::string(4095, 'y') + "\n",
                  fs);
    EXPECT_EQ(Findings(cut),
              (Strings{"value-cut 7 [B] AutoInstall", "relative-path 7 [B] AutoInstall",
                       "command-not-found 7 [B] AutoInstall", "relative-path 8 [B] ManualInstall",
                       "command-not-found 8 [B] ManualInstall"}));

    CheckInput unreadable;
    unreadable.strCatalogue = WSTR("E:\\Bundor.INI");
    const CheckReport missing = CheckCatalogue(unreadable, fs);
    EXPECT_EQ(Findings(missing), Strings{"file-unreadable 0"});
    EXPECT_EQ(ExitStatus(missing), kExitUnreadable);
}

// Each encoding is named; bytes that are not valid in it are reported with their lines.
TEST(CheckerFindings, EncodingAndInvalidBytes) {
    MemoryFileSystem fs;
    const std::string body = "[Type]\r\nSort1=A\r\n";
    const auto encodingOf = [&](const std::string& bytes) {
        const CheckReport report = CheckText(bytes, fs);
        EXPECT_EQ(Describe(report.findings.at(0)), "encoding 0");
        return report.encoding;
    };
    EXPECT_EQ(encodingOf(body), TextEncoding::Utf8);
    EXPECT_EQ(encodingOf("\xEF\xBB\xBF" + body), TextEncoding::Utf8Bom);
    EXPECT_EQ(encodingOf("[Type]\r\nSort1=\xB3\xA3\xD3\xC3\r\n"), TextEncoding::Ansi);  // 常用
    std::string utf16 = "\xFF\xFE";
    for (const char c : body) utf16 += std::string{c, '\0'};
    EXPECT_EQ(encodingOf(utf16), TextEncoding::Utf16Le);

    // UTF-8 with a byte-order mark and broken sequences on lines 2 and 4 ("\r" ends line 4).
    const CheckReport utf8 =
        CheckText("\xEF\xBB\xBF[Type]\n; \xE5\xB8\nSort1=A\n\xFF=x\r[A]\n[A.List]\n", fs);
    const Finding& bad = Only(utf8, FindingKind::InvalidBytes, 2);
    EXPECT_EQ(bad.lines, (std::vector<int>{2, 4}));
    EXPECT_EQ(Findings(utf8), (Strings{"invalid-bytes 2", "unknown-key 4 [Type] \xEF\xBF\xBD"}));
    EXPECT_EQ(ExitStatus(utf8), kExitErrors) << "characters are lost";

    // Code page 936 with a lead byte that no trail byte follows, on line 3.
    const CheckReport ansi = CheckText("[Type]\r\nSort1=\xB3\xA3\r\nSort2=\x81\r\n", fs);
    EXPECT_EQ(Only(ansi, FindingKind::InvalidBytes, 3).lines, std::vector<int>{3});

    // UTF-16 with an unpaired surrogate on line 2 and an odd byte at the end (line 3).
    std::string broken = "\xFF\xFE";
    for (const char c : std::string("[Type]\nSort1=")) broken += std::string{c, '\0'};
    broken += std::string("\x00\xD8\n\x00x\x00", 6);
    broken += "\x41";
    const CheckReport surrogate = CheckText(broken, fs);
    EXPECT_EQ(Only(surrogate, FindingKind::InvalidBytes, 2).lines, (std::vector<int>{2, 3}));
}

// A name is suggested only when it is close to the one written; far ones are no help.
TEST(CheckerFindings, SuggestionsOnlyForCloseNames) {
    MemoryFileSystem fs;
    const CheckReport report = CheckText(
        "[Config]\n"                     // 1
        "Colour=red\n"                   // 2
        "\xEF\xBD\x94itleText=x\n"       // 3  "ｔitleText"
        "WorkDir=x\n"                    // 4
        "[Type]\n"                       // 5
        "Sort1=Foo\n"                    // 6
        "Sort2=\xC3\x84rger\n"           // 7  "Ärger"
        "Sort3=Completely Different\n"   // 8
        "[Completely Different Name]\n"  // 9
        "[\xC3\xA4rger]\n"               // 10 "ärger": another section to the reader
        "[Completely Different.List]\n"  // 11
        "List1=Chekced\n"                // 12
        "[Chekced]\n"                    // 13
        "Chekced=1\n"                    // 14
        "Descripton=x\n"                 // 15
        "IconPth=x\n",                   // 16
        fs);
    const auto hint = [&report](FindingKind kind, int line) {
        return U8(Only(report, kind, line).strHint);
    };
    EXPECT_EQ(hint(FindingKind::UnknownKey, 2), "");
    EXPECT_EQ(hint(FindingKind::UnknownKey, 3), "TitleText") << "a full-width letter";
    EXPECT_EQ(hint(FindingKind::UnknownKey, 4), "") << "three edits from WorkingDir";
    EXPECT_EQ(hint(FindingKind::CategorySectionMissing, 6), "");
    EXPECT_EQ(hint(FindingKind::CategorySectionMissing, 7), "\xC3\xA4rger") << "letter case";
    EXPECT_EQ(Only(report, FindingKind::CategorySectionMissing, 7).nOtherLine, 10);
    EXPECT_EQ(hint(FindingKind::CategorySectionMissing, 8), "Completely Different Name");
    EXPECT_EQ(hint(FindingKind::UnknownKey, 14), "Checked") << "two letters swapped";
    EXPECT_EQ(hint(FindingKind::UnknownKey, 15), "Description");
    EXPECT_EQ(hint(FindingKind::UnknownKey, 16), "IconPath");
}

// The exit status that release scripts stop on: 2 only when the launcher loses or misplaces
// what the author wrote, or cannot find a file; 1 when it merely behaves unexpectedly.
TEST(CheckerFindings, ExitStatusFollowsWhatTheLauncherLoses) {
    MemoryFileSystem fs;
    fs.AddFile(WSTR("E:\\a.exe"), 1);
    fs.AddFile(WSTR("E:\\a.ico"), 1);
    const std::string entry = "[B]\nWorkingDir=%CurrDir%\nAutoInstall=a.exe\nManualInstall=a.exe\n";
    const auto status = [&](const std::string& text) {
        const CheckReport report = CheckText(text, fs);
        return std::make_pair(ExitStatus(report), Findings(report));
    };
    // The category is shown with its entries; it only has no icon and no WorkingDir.
    EXPECT_EQ(status("[Type]\nSort1=A\n[A.List]\nList1=B\n" + entry),
              std::make_pair(kExitWarnings, Strings{"category-section-missing 2 [A] Sort1"}));
    // Unexpected, but nothing lost: a key nobody reads (twice), a word for a number, a
    // command given only for one mode.
    EXPECT_EQ(
        status("[Type]\nSort1=A\n[A]\n[A.List]\nList1=B\n[B]\nWorkingDir=%CurrDir%\n"
               "ManualInstall=a.exe\nChecked=yes\nVersion=1\nVersion=2\n"),
        std::make_pair(kExitWarnings,
                       Strings{"command-missing 6 [B] AutoInstall", "not-a-number 9 [B] Checked",
                               "unknown-key 10 [B] Version", "unknown-key 11 [B] Version"}));
    // Lost: a category after a gap, the second of two commands, an icon file.
    EXPECT_EQ(status("[Type]\nSort1=A\nSort3=C\n[A]\n[A.List]\nList1=B\n[C]\n" + entry).first,
              kExitErrors);
    EXPECT_EQ(status("[Type]\nSort1=A\n[A]\n[A.List]\nList1=B\n" + entry + "AutoInstall=a.exe /S\n")
                  .first,
              kExitErrors);
    EXPECT_EQ(status("[Type]\nSort1=A\n[A]\nWorkingDir=%CurrDir%\nIconPath=b.ico\n[A.List]\n"
                     "List1=B\n" +
                     entry),
              std::make_pair(kExitErrors, Strings{"icon-not-found 5 [A] IconPath"}));
}

// In code page 936 a lead byte just before a line break takes the break with it: the reader
// sees lines 2 and 3 as one. Every finding still names the file's own line, as an editor
// counts them, the same lines as in the file with a sound character there.
TEST(CheckerFindings, LinesAfterABrokenCharacterAreTheFilesOwn) {
    MemoryFileSystem fs;
    const auto catalogue = [](const std::string& character) {
        return "[Type]\r\n; \xD7\xA2" + character +  // 1, 2  "; 注" and the character
               "\n\r\n"                              // 3     the break it may take, an empty line
               "Sort1=\xB3\xA3\xD3\xC3\r\n"          // 4     常用
               "Sort2=B\r\nSort4=D\r\n"              // 5, 6
               "[\xB3\xA3\xD3\xC3]\r\nIconPath=x\r\nIconPath=y\r\n"  // 7-9
               "[B.List]\r\nList1=C\r\n";                            // 10, 11
    };
    const CheckReport sound = CheckText(catalogue("\xB0\xA1"), fs);  // 啊
    const CheckReport broken = CheckText(catalogue("\x81"), fs);
    ASSERT_EQ(broken.encoding, TextEncoding::Ansi);
    ASSERT_EQ(sound.encoding, TextEncoding::Ansi);

    Strings expected = Findings(sound);
    expected.insert(expected.begin(), "invalid-bytes 2");
    EXPECT_EQ(Findings(broken), expected);
    EXPECT_EQ(Only(broken, FindingKind::DuplicateKey, 9).nOtherLine, 8);
    EXPECT_EQ(Only(broken, FindingKind::InvalidBytes, 2).lines, std::vector<int>{2});
    ASSERT_EQ(broken.view.categories.size(), 2u);
    EXPECT_EQ(broken.view.categories[0].nLine, 4);
    EXPECT_EQ(broken.view.categories[0].nSectionLine, 7);
    ASSERT_EQ(broken.view.categories[1].entries.size(), 1u);
    EXPECT_EQ(broken.view.categories[1].entries[0].nLine, 11);
    const Strings soundFindings = Findings(sound);
    EXPECT_NE(std::find(soundFindings.begin(), soundFindings.end(),
                        "category-section-missing 5 [B] Sort2"),
              soundFindings.end())
        << "the file's lines";
}

// Where the detected encoding is most likely not the one the author saved in.
TEST(CheckerFindings, EncodingTheAuthorMeant) {
    MemoryFileSystem fs;
    const std::string utf8 =
        "[Config]\nTitleText=\xE8\xA3\x85\xE6\x9C\xBA\xE5\xB7\xA5\xE5\x85\xB7\n"  // 装机工具
        "[Type]\nSort1=\xE5\xB8\xB8\xE7\x94\xA8\n[\xE5\xB8\xB8\xE7\x94\xA8]\n";   // 常用
    // One stray byte in UTF-8: the whole file is read in the ANSI code page.
    std::string stray = utf8;
    stray.insert(stray.find("Sort1=") + 6, "x\xFF");
    const CheckReport fellBack = CheckText(stray, fs);
    EXPECT_EQ(fellBack.encoding, TextEncoding::Ansi);
    const Finding& cause = Only(fellBack, FindingKind::Utf8ReadAsAnsi, 4);
    EXPECT_EQ(cause.nColumn, 8) << "Sort1=x, then the stray byte";
    EXPECT_EQ(U8(cause.strText), "0xFF");
    EXPECT_EQ(ExitStatus(fellBack), kExitErrors);
    EXPECT_EQ(Findings(CheckText(utf8, fs)), Strings{"list-section-missing 4 [常用] 常用.List"});

    // A real GBK file with the same text, broken or not, is not taken for UTF-8.
    const std::string gbk =
        "[Config]\r\nTitleText=\xD7\xB0\xBB\xFA\xB9\xA4\xBE\xDF\r\n[Type]\r\n"
        "Sort1=\xB3\xA3\xD3\xC3\xE4\xB8\xB0\xA1\r\n; \x81";
    for (const CheckReport& report : {CheckText(gbk, fs), CheckText(gbk + "\xFF", fs)}) {
        EXPECT_EQ(report.encoding, TextEncoding::Ansi);
        for (const Finding& finding : report.findings) {
            EXPECT_NE(finding.kind, FindingKind::Utf8ReadAsAnsi) << Describe(finding);
        }
    }

    // "小" in GBK is valid UTF-8 ("С"): the launcher shows a Cyrillic letter.
    const CheckReport small = CheckText("[Config]\r\nTitleText=\xD0\xA1\r\n", fs);
    EXPECT_EQ(small.encoding, TextEncoding::Utf8);
    const Finding& guess = Only(small, FindingKind::Utf8WithoutChinese, 2);
    EXPECT_EQ(U8(guess.strText), "\xD0\xA1");
    EXPECT_EQ(U8(guess.strHint), "小");
    EXPECT_EQ(Findings(small), (Strings{"no-categories 0 [Type]", "utf-8-without-chinese 2"}));
    for (const std::string& sound : Strings{utf8, "[Config]\nTitleText=Setup\n",
                                            "\xEF\xBB\xBF[Config]\nTitleText=\xD0\xA1\n"}) {
        for (const Finding& finding : CheckText(sound, fs).findings) {
            EXPECT_NE(finding.kind, FindingKind::Utf8WithoutChinese) << sound;
        }
    }
}

// Windows finds Soft\7Z.EXE for soft\7z.exe: so does the checker where letter case counts,
// with a warning, and only when no name matches exactly.
TEST(CheckerFindings, NamesInOtherLetterCaseAreFoundAsOnWindows) {
    LetterCaseFinder fs;
    fs.AddFile(WSTR("E:\\Soft\\7Z.EXE"), 1048576);
    fs.AddFile(WSTR("E:\\icons\\Zip.ico"), 1);
    fs.AddFile(WSTR("E:\\a.exe"), 2 * 1048576);
    fs.AddFile(WSTR("E:\\A.EXE"), 1);
    const std::string text =
        "[Type]\nSort1=A\n[A]\n[A.List]\nList1=B\nList2=C\nList3=D\n"          // 1-7
        "[B]\nWorkingDir=%CurrDir%\nAutoInstall=soft\\7z.exe /S\n"             // 8-10
        "ManualInstall=soft\\7z.exe\nIconPath=icons\\zip.ico\n"                // 11, 12
        "[C]\nWorkingDir=%CurrDir%\nAutoInstall=a.exe\nManualInstall=a.exe\n"  // 13-16
        "[D]\nAutoInstall=soft\\7z.exe\nManualInstall=a.exe\n";                // 17-19
    const CheckReport report = CheckText(text, fs, WSTR("E:\\"), WString(), &fs);
    EXPECT_EQ(Findings(report), (Strings{
                                    "letter-case-differs 10 [B] AutoInstall",
                                    "letter-case-differs 11 [B] ManualInstall",
                                    "letter-case-differs 12 [B] IconPath",
                                    "relative-path 18 [D] AutoInstall",
                                    "letter-case-differs 18 [D] AutoInstall",
                                    "relative-path 19 [D] ManualInstall",
                                }));
    EXPECT_EQ(ExitStatus(report), kExitWarnings);
    EXPECT_EQ(U8(Only(report, FindingKind::LetterCaseDiffers, 10).strHint), "E:\\Soft\\7Z.EXE");
    EXPECT_EQ(U8(Only(report, FindingKind::LetterCaseDiffers, 18).strHint), "Soft\\7Z.EXE")
        << "as relative as the command";
    const std::vector<EntryView>& entries = report.view.categories.at(0).entries;
    EXPECT_EQ(U8(entries.at(0).autoInstall.strParams), "/S");
    EXPECT_EQ(U8(entries.at(0).strSize), "1.00 MB");
    EXPECT_TRUE(entries.at(0).icon.bFound);
    EXPECT_EQ(U8(entries.at(1).strSize), "2.00 MB") << "the exact name first";

    // Without a finder (on Windows, or on an exact file system) the names are not found.
    EXPECT_EQ(ExitStatus(CheckText(text, fs)), kExitErrors);
}

// The launcher sees its folder as the root of the disc: the 260-unit limit counts that path,
// not the one of the folder checked, however deep it lies.
TEST(CheckerFindings, PathLimitCountsThePathTheLauncherSees) {
    MemoryFileSystem fs;
    const WString deep = WSTR("G:\\") + WString(250, WSTR('d')) + WSTR("\\");
    const WString name256(256, WSTR('n'));  // E:\ and the name: 259 units
    fs.AddFile(deep + WSTR("soft\\a.exe"), 1048576);
    fs.AddFile(deep + name256, 1);
    fs.AddFile(deep + name256 + WSTR("x"), 1);  // 260 units on the disc: never found
    fs.AddFile(deep + WSTR("a.ico"), 1);
    const std::string n = U8(name256);
    const CheckReport report = CheckText(
        "[Type]\nSort1=A\n[A]\nWorkingDir=%CurrDir%\nIconPath=a.ico\n[A.List]\nList1=B\n"
        "List2=C\nList3=D\n"  // 1-9
        "[B]\nWorkingDir=%CurrDir%\nAutoInstall=soft\\a.exe /S\nManualInstall=" +
            n +
            "\n"  // 10-13
            "[C]\nWorkingDir=%CurrDir%\nAutoInstall=" +
            n + "x\nManualInstall=" + n +
            "\n"  // 14-17
            "[D]\nAutoInstall=" +
            n + "x\nManualInstall=" + n + "\n",  // 18-20, relative
        fs, deep, WSTR("E:\\"));
    EXPECT_EQ(U8(report.strExeFolder), "E:\\");
    EXPECT_EQ(report.strCheckedFolder, deep);
    EXPECT_EQ(
        Findings(report),
        (Strings{"command-not-found 16 [C] AutoInstall", "relative-path 19 [D] AutoInstall",
                 "command-not-found 19 [D] AutoInstall", "relative-path 20 [D] ManualInstall"}));
    const CategoryView& category = report.view.categories.at(0);
    EXPECT_TRUE(category.icon.bFound);
    EXPECT_EQ(U8(category.entries.at(0).autoInstall.strProgram), "E:\\soft\\a.exe");
    EXPECT_EQ(U8(category.entries.at(0).strSize), "0.00 MB") << "the package is the long name";
    EXPECT_TRUE(category.entries.at(1).manualInstall.bFound);
    EXPECT_TRUE(category.entries.at(2).manualInstall.bFound);
}

// No CD drive here: a "cdrom:\" command is looked for in the checked folder, as if it were the
// disc, and the message says where.
TEST(CheckerFindings, CdromCommandWithoutACdDriveSaysWhereItLooked) {
    MemoryFileSystem fs;
    fs.AddFile(WSTR("G:\\medium\\soft\\ime.exe"), 1);
    const CheckReport report = CheckText(
        "[Type]\nSort1=A\n[A]\n[A.List]\nList1=B\n[B]\nWorkingDir=%CurrDir%\n"
        "AutoInstall=cdrom:\\soft\\ime.exe /q\nManualInstall=cdrom:\\soft\\missing.exe\n",
        fs, WSTR("G:\\medium\\"), WSTR("E:\\"));
    EXPECT_EQ(Findings(report), (Strings{"cdrom-command 8 [B] AutoInstall",
                                         "command-not-found 9 [B] ManualInstall"}));
    const Finding& found = Only(report, FindingKind::CdromCommand, 8);
    const Finding& missing = Only(report, FindingKind::CommandNotFound, 9);
    EXPECT_TRUE(found.items.empty());
    EXPECT_TRUE(missing.bFlag);
    EXPECT_TRUE(missing.items.empty());
    for (const Finding* finding : {&found, &missing}) {
        EXPECT_NE(U8(FindingMessage(*finding, report)).find("G:\\medium\\"), std::string::npos)
            << U8(FindingMessage(*finding, report));
    }
}

// The run keys are known where the launcher reads them; values it cannot use are warned
// about, each with its line and what the launcher does instead.
TEST(CheckerFindings, RunKeysAndTheirUnreadableValues) {
    MemoryFileSystem fs;
    fs.AddFile(WSTR("E:\\a.exe"), 1);
    const std::string commands = "WorkingDir=%CurrDir%\nAutoInstall=a.exe\nManualInstall=a.exe\n";
    const std::string text =
        "[Config]\n"                            // 1
        "SuccessCodes=0, 3010,yes,0x\n"         // 2
        "Timeout=soon\n"                        // 3
        "ExitAfterCountdown=yes\n"              // 4
        "LogFile=%CurrDir%run.log\n"            // 5
        "SucessCodes=0\n"                       // 6
        "[Type]\n"                              // 7
        "Sort1=A\n"                             // 8
        "[A]\n"                                 // 9
        "Timeout=5\n"                           // 10
        "[A.List]\n"                            // 11
        "List1=B\nList2=C\nList3=D\nList4=B\n"  // 12-15
        "[B]\n" +                               // 16, commands 17-19
        commands +
        "SuccessCodes=any\nTimeout=-5\n"  // 20, 21
        "[C]\n" +                         // 22, commands 23-25
        commands +
        "SuccessCodes=0,1641\nTimeout=10秒\n"  // 26, 27
        "[D]\n" +                              // 28, commands 29-31
        commands +
        "SuccessCodes=\nTimeout=\n";  // 32, 33
    const CheckReport report = CheckText(text, fs);
    EXPECT_EQ(Findings(report), (Strings{
                                    "exit-code-unreadable 2 [Config] SuccessCodes",
                                    "timeout-unreadable 3 [Config] Timeout",
                                    "not-a-number 4 [Config] ExitAfterCountdown",
                                    "unknown-key 6 [Config] SucessCodes",
                                    "unknown-key 10 [A] Timeout",
                                    "entry-listed-several-times 12 [B]",
                                    "exit-code-unreadable 20 [B] SuccessCodes",
                                    "timeout-unreadable 21 [B] Timeout",
                                    "not-a-number 27 [C] Timeout",
                                }));
    EXPECT_EQ(ExitStatus(report), kExitWarnings) << "nothing the author wrote is lost";

    const Finding& partly = Only(report, FindingKind::ExitCodeUnreadable, 2);
    EXPECT_EQ(partly.items, (std::vector<WString>{WSTR("yes"), WSTR("0x")}));
    EXPECT_FALSE(partly.bFlag) << "0 and 3010 are read";
    const Finding& none = Only(report, FindingKind::ExitCodeUnreadable, 20);
    EXPECT_EQ(none.items, std::vector<WString>{WSTR("any")});
    EXPECT_TRUE(none.bFlag);
    EXPECT_NE(U8(FindingMessage(none, report)).find("[Config] 的 SuccessCodes 对它不起作用"),
              std::string::npos)
        << U8(FindingMessage(none, report));
    EXPECT_EQ(U8(Only(report, FindingKind::TimeoutUnreadable, 21).strHint), "-5");
    EXPECT_EQ(U8(Only(report, FindingKind::NotANumber, 27).strHint), "10");
    EXPECT_EQ(U8(Only(report, FindingKind::UnknownKey, 6).strHint), "SuccessCodes");
}

}  // namespace
