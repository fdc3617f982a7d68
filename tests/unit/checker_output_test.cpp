// The checker's report formats (text and JSON) and its command line.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "checker/command_line.h"
#include "checker/json_writer.h"
#include "checker/text_report.h"
#include "tests/unit/checker_test_support.h"
#include "tests/unit/memory_file_system.h"

namespace {

TEST(CheckerJson, QuotesEveryCharacterThatJsonRequires) {
    EXPECT_EQ(U8(JsonQuote(WSTR("C:\\安装包\\\"a\" b"))), "\"C:\\\\安装包\\\\\\\"a\\\" b\"");
    EXPECT_EQ(U8(JsonQuote(WString{WChar(0), WChar(1), WChar(0x1F), '\t', '\n', '\r', 0x7F})),
              "\"\\u0000\\u0001\\u001f\\t\\n\\r\x7F\"");
    // A surrogate pair stays; an unpaired surrogate would make the UTF-8 output invalid.
    EXPECT_EQ(U8(JsonQuote(WString{WChar(0xD83D), WChar(0xDE00)})), "\"\xF0\x9F\x98\x80\"");
    EXPECT_EQ(U8(JsonQuote(WString{WChar(0xDE00), 'a', WChar(0xD83D)})),
              "\"\xEF\xBF\xBD"
              "a\xEF\xBF\xBD\"");
}

TEST(CheckerJson, WriterNestsWithCommasAndIndentation) {
    CJsonWriter json;
    json.BeginObject();
    json.Key(WSTR("a"));
    json.BeginArray();
    json.Number(-1);
    json.Bool(true);
    json.Null();
    json.BeginObject();
    json.EndObject();
    json.EndArray();
    json.Key(WSTR("b"));
    json.BeginArray();
    json.EndArray();
    json.Key(WSTR("c"));
    json.String(WSTR("中"));
    json.EndObject();
    EXPECT_EQ(U8(json.Take()),
              "{\n  \"a\": [\n    -1,\n    true,\n    null,\n    {}\n  ],\n  \"b\": [],\n"
              "  \"c\": \"中\"\n}\n");
}

TEST(CheckerJson, DocumentOfAnUnreadableFile) {
    MemoryFileSystem fs;
    CheckInput input;
    input.strCatalogue = WSTR("E:\\缺少.INI");
    EXPECT_EQ(
        U8(FormatJsonReport(CheckCatalogue(input, fs))),
        "{\n"
        "  \"catalogue\": \"E:\\\\缺少.INI\",\n"
        "  \"readable\": false,\n"
        "  \"status\": 3,\n"
        "  \"launcher\": null,\n"
        "  \"problems\": [\n"
        "    {\n"
        "      \"severity\": \"error\",\n"
        "      \"kind\": \"file-unreadable\",\n"
        "      \"line\": null,\n"
        "      \"section\": \"\",\n"
        "      \"key\": \"\",\n"
        "      \"message\": \"无法读取目录文件“E:\\\\缺少.INI”。启动器遇到这种情况时显示空目录："
        "默认标题，没有任何分类。\"\n"
        "    }\n"
        "  ],\n"
        "  \"counts\": {\n"
        "    \"errors\": 1,\n"
        "    \"warnings\": 0,\n"
        "    \"information\": 0\n"
        "  }\n"
        "}\n");
}

TEST(CheckerJson, DocumentCarriesTheViewAndTheProblemDetails) {
    MemoryFileSystem fs;
    fs.AddFile(WSTR("E:\\a.exe"), 1048576);
    const std::string json = U8(FormatJsonReport(
        CheckText("[Config]\nTitleText=\"引号\"\"\n[Type]\nSort1=A\n[A]\n[A.List]\nList1=B\n[B]\n"
                  "WorkingDir=%CurrDir%\nAutoInstall=a.exe /S\nManualInstall=a.exe\nautoinstall=x\n"
                  "Chekced=1\n",
                  fs)));
    for (const char* part : {
             "\"status\": 2,",
             "\"exeFolder\": \"E:\\\\\",",
             "\"encoding\": \"utf-8\",",
             "\"title\": \"引号\\\"\",",
             "\"installMode\": \"unattended\",",
             "\"autoInstall\": {\n"
             "              \"command\": \"E:\\\\a.exe /S\",\n"
             "              \"found\": true,\n"
             "              \"program\": \"E:\\\\a.exe\",\n"
             "              \"parameters\": \"/S\"\n"
             "            },",
             "\"size\": \"1.00 MB\",\n            \"sizeBytes\": 1048576,",
             "\"kind\": \"duplicate-key\",\n      \"line\": 12,\n      \"section\": \"B\",\n"
             "      \"key\": \"autoinstall\",\n      \"otherLine\": 10,",
             "\"kind\": \"unknown-key\",\n      \"line\": 13,\n      \"section\": \"B\",\n"
             "      \"key\": \"Chekced\",\n      \"suggestion\": \"Checked\",",
             "\"counts\": {\n    \"errors\": 1,\n    \"warnings\": 1,\n    \"information\": 1\n",
         }) {
        EXPECT_NE(json.find(part), std::string::npos) << part << "\nin:\n" << json;
    }
}

TEST(CheckerText, ReportOfASmallCatalogue) {
    MemoryFileSystem fs;
    fs.AddFile(WSTR("E:\\soft\\a.exe"), 1572864);
    const CheckReport report = CheckText(
        "[Config]\nTitleText=装机\x1B[2J\nMainWidth=640\nWaitime=10\n[Type]\nSort1=常用\n"
        "[常用.List]\nList1=甲\n[甲]\nWorkingDir=%CurrDir%\nAutoInstall=soft\\a.exe /S\n"
        "ManualInstall=soft\\b.exe\nChecked=1\n",
        fs);
    EXPECT_EQ(U8(FormatTextReport(report)),
              "目录文件：E:\\Bundor.INI\n"
              "程序所在的文件夹（%CurrDir%）：E:\\\n"
              "文件编码：UTF-8（无 BOM）\n"
              "\n"
              "启动器将显示：\n"
              "  窗口标题：装机^[[2J\n"
              "  窗口大小：800 x 500（目录中为 640 x 0，窗口至少 800 x 500）\n"
              "  安装方式：自动安装（无人值守，运行 AutoInstall）\n"
              "  倒计时：10 秒后自动安装已勾选的条目\n"
              "  保存文件夹：（未设置）\n"
              "  分类 1 个，条目 1 个\n"
              "\n"
              "  分类 1：常用（1 款，第 6 行）\n"
              "    图标：（未设置，显示程序自带的图标）\n"
              "    条目：甲（第 8 行）\n"
              "      默认勾选：是\n"
              "      说明：（无）\n"
              "      自动安装：E:\\soft\\a.exe /S\n"
              "        → 程序：E:\\soft\\a.exe\n"
              "          参数：/S\n"
              "      手动安装：E:\\soft\\b.exe\n"
              "        → 找不到\n"
              "      大小：0.00 MB\n"
              "      图标：E:\\（找不到，显示程序自带的图标）\n"
              "\n"
              "问题：错误 1 个，警告 1 个，提示 1 条\n"
              "  [错误] 第 12 行 [甲] ManualInstall 的命令找不到文件：“E:\\soft\\b.exe”。\n"
              "  [警告] 第 6 行 [常用] 分类“常用”（Sort1）没有对应的节 [常用]：它照常显示，"
              "只是没有图标，也没有 WorkingDir。\n"
              "  [提示] 文件编码：UTF-8（无 BOM）。\n"
              "\n"
              "结论：有错误（退出状态 2）\n");
}

// The run keys in both formats: an entry's values come from its own keys or [Config]'s (an
// empty Timeout reads [Config]'s, an empty SuccessCodes accepts any end); the settings name only
// the keys given; the JSON has them always, null where nothing is set.
TEST(CheckerText, RunKeysSayWhatTheLauncherDoes) {
    MemoryFileSystem fs;
    const CheckReport report = CheckText(
        "[Config]\nWaitime=5\nSuccessCodes=0,3010\nTimeout=600\n"            // 1-4
        "ExitAfterCountdown=1\nLogFile=%CurrDir%logs\\%COMPUTERNAME%.log\n"  // 5, 6
        "[Type]\nSort1=A\n[A.List]\nList1=inherits\nList2=own\nList3=any\n"  // 7-12
        "[inherits]\nTimeout=\n"                                             // 13, 14
        "[own]\nSuccessCodes=0x0, 1641\nTimeout=5\n"                         // 15-17
        "[any]\nSuccessCodes=\nTimeout=0\n",                                 // 18-20
        fs);
    const std::string text = U8(FormatTextReport(report));
    for (const char* part : {
             "  保存文件夹：（未设置）\n"
             "  倒计时安装后：结束程序，不显示报告；退出代码是失败的条目数，没有失败而有安装程序"
             "要求重新启动时是 3010，否则是 0\n"
             "  运行日志：E:\\logs\\%COMPUTERNAME%.log（其中的环境变量由启动器在运行时展开）\n"
             "  分类 1 个",
             "      成功的退出代码：0、3010（[Config]，第 3 行）\n"
             "      等待时限：600 秒（[Config]，第 4 行），超过后记为失败，继续下一个\n"
             "    条目：own",
             "      成功的退出代码：0、1641（本条目，第 16 行）\n"
             "      等待时限：5 秒（本条目，第 17 行），超过后记为失败，继续下一个\n",
             "      成功的退出代码：任何结束都算成功（本条目，第 19 行）\n"
             "      等待时限：无（本条目，第 20 行），一直等到安装程序结束\n\n问题：",
         }) {
        EXPECT_NE(text.find(part), std::string::npos) << part << "\nin:\n" << text;
    }
    const std::string json = U8(FormatJsonReport(report));
    for (const char* part : {
             "\"exitAfterCountdown\": true,\n    \"logFile\": "
             "\"E:\\\\logs\\\\%COMPUTERNAME%.log\",",
             "\"successCodes\": {\n              \"codes\": [\n                0,\n"
             "                3010\n              ],\n              \"from\": \"config\",\n"
             "              \"line\": 3\n            },\n            \"timeout\": {\n"
             "              \"seconds\": 600,\n              \"from\": \"config\",\n",
             "\"codes\": null,\n              \"from\": \"entry\",\n              \"line\": 19\n",
             "\"seconds\": null,\n              \"from\": \"entry\",\n              \"line\": 20\n",
         }) {
        EXPECT_NE(json.find(part), std::string::npos) << part << "\nin:\n" << json;
    }

    // The other values of the [Config] keys; without SuccessCodes or Timeout, no entry lines.
    for (const auto& [key, line] : std::vector<std::pair<std::string, std::string>>{
             {"ExitAfterCountdown=1\n", "否则是 0（但没有倒计时，这一项不起作用）\n"},
             {"ExitAfterCountdown=0\n", "  倒计时安装后：照常，有失败时显示报告，窗口重新出现\n"},
             {"LogFile=\n", "  运行日志：无（LogFile 为空）\n"},
         }) {
        const std::string other = U8(FormatTextReport(
            CheckText("[Config]\n" + key + "[Type]\nSort1=A\n[A.List]\nList1=B\n", fs)));
        EXPECT_NE(other.find(line), std::string::npos) << other;
        EXPECT_EQ(other.find("成功的退出代码"), std::string::npos) << other;
    }

    // The lines are the file's, also after a broken double-byte character (code page 936).
    const LauncherView ansi =
        CheckText(
            "[Config]\r\n; \x81\n\r\nTimeout=5\r\nLogFile=x\r\n[Type]\r\nSort1=A\r\n"
            "[A.List]\r\nList1=B\r\n",
            fs)
            .view;
    EXPECT_EQ(ansi.nLogFileLine, 5);
    EXPECT_EQ(ansi.categories.at(0).entries.at(0).run.timeout.nLine, 4);
}

// Each problem line names a line of the file once: the report gives the finding's own line,
// and a message names only other lines.
TEST(CheckerText, NoProblemNamesALineTwice) {
    MemoryFileSystem fs;
    const std::string text = U8(FormatTextReport(
        CheckText("\xEF\xBB\xBF[Type]\n; \xE5\xB8\nSort1=A\n; \xFF\n; \xFF\n[A]\nIconPath=a\n"
                  "IconPath=b\n[B]\n; \xC3\n",
                  fs)));
    size_t problems = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("  [", 0) != 0) continue;
        ++problems;
        std::multiset<std::string> named;
        for (size_t at = line.find("第 "); at != std::string::npos; at = line.find("第 ", at + 1)) {
            const size_t digits = at + std::string("第 ").size();
            named.insert(
                line.substr(digits, line.find_first_not_of("0123456789", digits) - digits));
        }
        for (const std::string& number : named) {
            EXPECT_EQ(named.count(number), 1u) << line;
        }
    }
    EXPECT_GE(problems, 4u) << text;
    EXPECT_NE(text.find("第 2 行"), std::string::npos) << "the first broken line";
    EXPECT_NE(text.find("4、5、10 行"), std::string::npos) << "the other broken lines";
}

TEST(CheckerCommandLine, ReadsOptionsAndOneCatalogue) {
    CommandLine line;
    WString error;
    ASSERT_TRUE(ParseCommandLine({WSTR("--json"), WSTR("--exe-dir"), WSTR("E:"), WSTR("a.ini")},
                                 line, error));
    EXPECT_TRUE(line.bJson);
    EXPECT_TRUE(line.bHasExeDir);
    EXPECT_EQ(U8(line.strExeDir), "E:");
    EXPECT_EQ(U8(line.strCatalogue), "a.ini");

    ASSERT_TRUE(
        ParseCommandLine({WSTR("--exe-dir=D:\\soft\\"), WSTR("--"), WSTR("-a.ini")}, line, error));
    EXPECT_FALSE(line.bJson);
    EXPECT_EQ(U8(line.strExeDir), "D:\\soft\\");
    EXPECT_EQ(U8(line.strCatalogue), "-a.ini");

    // The launcher's folder: the drive given, else the exe folder when it is a drive root
    // (the disc in its drive), else the root of a CD drive.
    EXPECT_EQ(U8(LauncherFolder(line, WSTR("\\media\\cd\\"))), "E:\\");
    EXPECT_EQ(U8(LauncherFolder(line, WSTR("F:\\"))), "F:\\");
    EXPECT_EQ(U8(LauncherFolder(line, WSTR("F:\\disc\\"))), "E:\\");
    ASSERT_TRUE(ParseCommandLine({WSTR("--as-drive"), WSTR("h:"), WSTR("a.ini")}, line, error));
    EXPECT_EQ(U8(LauncherFolder(line, WSTR("F:\\"))), "H:\\");
    ASSERT_TRUE(ParseCommandLine({WSTR("--as-drive=G:/"), WSTR("a.ini")}, line, error));
    EXPECT_EQ(U8(line.strAsDrive), "G:\\");

    for (const std::vector<WString>& help : std::vector<std::vector<WString>>{
             {WSTR("--help")}, {WSTR("-h")}, {WSTR("/?")}, {WSTR("a.ini"), WSTR("--help")}}) {
        ASSERT_TRUE(ParseCommandLine(help, line, error));
        EXPECT_TRUE(line.bHelp);
    }
}

TEST(CheckerCommandLine, RefusesBadUsageWithAReason) {
    const std::vector<std::pair<std::vector<WString>, std::string>> cases = {
        {{}, "缺少目录文件"},
        {{WSTR("--json")}, "缺少目录文件"},
        {{WSTR("a.ini"), WSTR("b.ini")}, "只能检查一个目录文件，多余的参数：b.ini"},
        {{WSTR("--jsn"), WSTR("a.ini")}, "未知的选项：--jsn"},
        {{WSTR("a.ini"), WSTR("--exe-dir")}, "--exe-dir 后面缺少文件夹"},
        {{WSTR("--exe-dir="), WSTR("a.ini")}, "--exe-dir 的文件夹为空"},
        {{WSTR("--exe-dir=E:"), WSTR("--exe-dir=F:"), WSTR("a.ini")}, "--exe-dir 只能给一次"},
        {{WSTR("a.ini"), WSTR("--as-drive")}, "--as-drive 后面缺少盘符"},
        {{WSTR("--as-drive=E:\\soft"), WSTR("a.ini")}, "--as-drive 需要一个盘符，如 E:：E:\\soft"},
        {{WSTR("--as-drive"), WSTR("E"), WSTR("a.ini")}, "--as-drive 需要一个盘符，如 E:：E"},
    };
    for (const auto& [args, reason] : cases) {
        CommandLine line;
        WString error;
        EXPECT_FALSE(ParseCommandLine(args, line, error)) << reason;
        EXPECT_EQ(U8(error), reason);
    }
    EXPECT_NE(UsageText().find(WSTR("64")), WString::npos) << "the usage names its status";
}

}  // namespace
