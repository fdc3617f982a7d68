// Building the catalogue model and loading it from the file beside the executable.
#include "app/catalogue.h"

#include <gtest/gtest.h>

#include <new>

#include "app/catalogue_host.h"
#include "app/utf.h"
#include "tests/unit/test_data.h"

namespace {

class FakeHost : public ICatalogueHost {
public:
    FakeHost(WString module, WString profile)
        : m_module(std::move(module)), m_profile(std::move(profile)) {}
    WString ModulePath() const override { return m_module; }
    WString ProfileName() const override { return m_profile; }
    void SetProfileName(const WString& path) override { m_profile = path; }

private:
    WString m_module;
    WString m_profile;
};

const WString kFolder = WSTR("E:\\安装盘\\");

// Loads UTF-8 text as the catalogue of E:\安装盘\Setup.exe.
CatalogueConfig* Load(const std::string& text, FakeHost* host = nullptr) {
    FakeHost local(kFolder + WSTR("Setup.exe"), WSTR("Setup.INI"));
    FakeHost& app = host != nullptr ? *host : local;
    return LoadCatalogue(app, [&](const WString& path, std::string& bytes) {
        if (path != kFolder + WSTR("Setup.INI")) return false;
        bytes = text;
        return true;
    });
}

size_t CountCategories(const CatalogueConfig* c) {
    return CategoriesOf(*c).size();
}

size_t CountEntries(const CategoryInfo& category) {
    return EntriesOf(category).size();
}

// The whole model as text, end markers included, for comparing models.
std::string Dump(const CatalogueConfig& c) {
    WString s = WSTR("size ");
    auto num = [&](int32_t v) { s += Utf8ToWide(std::to_string(v)) + WSTR(" "); };
    num(c.nMainWidth), num(c.nMainHeight);
    s += WSTR("title ") + c.strTitleText + WSTR(" save ") + c.strSavePath + WSTR(" mode ");
    num(c.nDefault), num(c.bCountdown), num(c.nWaitime);
    for (size_t k = 0;; ++k) {
        const CategoryInfo& cat = c.pCategories[k];
        s += WSTR("\n[") + cat.strName + WSTR("] ") + cat.strIconPath;
        if (cat.strName.empty()) {
            s += cat.pEntries == nullptr ? WSTR(" null") : WSTR(" NOT NULL");
            break;
        }
        for (size_t j = 0;; ++j) {
            const EntryInfo& e = cat.pEntries[j];
            s += WSTR("\n  ") + e.strName + WSTR("|") + e.strIconPath + WSTR("|");
            num(e.nChecked);
            s += e.strAutoInstall + WSTR("|") + e.strManualInstall + WSTR("|") + e.strDescription;
            if (e.strName.empty()) break;
        }
    }
    return WideToUtf8(s);
}

TEST(Catalogue, ReadsTheExampleCatalogue) {
    FakeHost app(kFolder + WSTR("Setup.exe"), WSTR("Setup.INI"));
    const CatalogueConfig* c = Load(
        "[Config]\nTitleText=装机工具\nWaitime=10\n"
        "[Type]\nSort1=常用软件\n"
        "[常用软件]\nWorkingDir=%CurrDir%\nIconPath=icons\\common.ico\n"
        "[常用软件.List]\nList1=压缩工具\n"
        "[压缩工具]\nWorkingDir=%CurrDir%\nAutoInstall=soft\\zip.exe /S\n"
        "ManualInstall=soft\\zip.exe\nChecked=1\n",
        &app);
    EXPECT_EQ(app.ProfileName(), kFolder + WSTR("Setup.INI"));
    EXPECT_EQ(Dump(*c),
              "size 0 0 title 装机工具 save  mode 1 1 10 \n"
              "[常用软件] E:\\安装盘\\icons\\common.ico\n"
              "  压缩工具|E:\\安装盘\\|1 E:\\安装盘\\soft\\zip.exe /S|E:\\安装盘\\soft\\zip.exe|\n"
              "  ||0 ||\n"
              "[]  null");
}

TEST(Catalogue, SettingsAndTheirDefaults) {
    const CatalogueConfig* c = Load("");
    EXPECT_EQ(Dump(*c), "size 0 0 title 软件安装管理器 save  mode 1 0 0 \n[]  null");

    c = Load(
        "[Config]\nMainWidth=1024\nMainHeight=-3\nTitleText=\nSavePath=D:\\pkg\n"
        "Default=2\nWaitime=5\n");
    EXPECT_EQ(c->nMainWidth, 1024);
    EXPECT_EQ(c->nMainHeight, -3);         // the window raises it, not the catalogue
    EXPECT_EQ(c->strTitleText, WSTR(""));  // present but empty: no default
    EXPECT_EQ(c->strSavePath, WSTR("D:\\pkg\\"));
    EXPECT_EQ(c->nDefault, 2);
    EXPECT_EQ(c->nWaitime, 5);
    EXPECT_EQ(c->bCountdown, 1);

    c = Load("[Config]\nSavePath=D:\\pkg\\\nDefault=0\nWaitime=-1\n");
    EXPECT_EQ(c->strSavePath, WSTR("D:\\pkg\\"));
    EXPECT_EQ(c->nDefault, 0);
    EXPECT_EQ(c->bCountdown, 0);
    c = Load("[Config]\nSavePath=\nWaitime=0\n");
    EXPECT_EQ(c->strSavePath, WSTR(""));
    EXPECT_EQ(c->bCountdown, 0);
}

TEST(Catalogue, NameListsStopAtTheFirstEmptyOrMissingValue) {
    EXPECT_EQ(CountCategories(Load("[Type]\nSort2=b\n")), 0u);

    const CatalogueConfig* c = Load(
        "[Type]\nSort1=a\nSort2=b\nSort4=d\n"
        "[a.List]\nList1=x\nList2=\nList3=y\n"
        "[b.List]\nList2=x\n");
    ASSERT_EQ(CountCategories(c), 2u);
    EXPECT_EQ(c->pCategories[1].strName, WSTR("b"));
    EXPECT_EQ(CountEntries(c->pCategories[0]), 1u);
    EXPECT_EQ(CountEntries(c->pCategories[1]), 0u);  // no List1: no entries, still listed
    EXPECT_EQ(c->pCategories[2].pEntries, nullptr);

    c = Load("[Type]\nSort1=a\nSort2=\"\"\nSort3=c\n");  // quotes around nothing: empty
    EXPECT_EQ(CountCategories(c), 1u);
    ASSERT_NE(c->pCategories[0].pEntries, nullptr);  // no list section at all
    EXPECT_TRUE(c->pCategories[0].pEntries[0].strName.empty());
}

TEST(Catalogue, WorkingDirIsJoinedWithoutSeparator) {
    const CatalogueConfig* c = Load(
        "[Type]\nSort1=cat\n[cat]\nWorkingDir=%currdir%\nIconPath=c.ico\n"
        "[cat.List]\nList1=exact\nList2=case\nList3=longer\nList4=plain\nList5=none\n"
        "[exact]\nWorkingDir=%CurrDir%\nAutoInstall=soft\\a.exe /S\nIconPath=a.ico\n"
        "Description=about\n"
        "[case]\nWorkingDir=%CURRDIR%\nManualInstall=b.exe\n"
        "[longer]\nWorkingDir=%CurrDir%x\\\nManualInstall=c.exe\n"
        "[plain]\nWorkingDir=D:\\soft\nManualInstall=a.exe\nAutoInstall=%CurrDir%\n"
        "[none]\nManualInstall=n.exe\n");
    const CategoryInfo& cat = c->pCategories[0];
    EXPECT_EQ(cat.strIconPath, WSTR("%currdir%c.ico"));
    const EntryInfo* e = cat.pEntries;
    EXPECT_EQ(e[0].strAutoInstall, kFolder + WSTR("soft\\a.exe /S"));
    EXPECT_EQ(e[0].strIconPath, kFolder + WSTR("a.ico"));
    EXPECT_EQ(e[0].strManualInstall, kFolder);
    EXPECT_EQ(e[0].strDescription, WSTR("about"));  // never prefixed
    EXPECT_EQ(e[1].strManualInstall, WSTR("%CURRDIR%b.exe"));
    EXPECT_EQ(e[2].strManualInstall, WSTR("%CurrDir%x\\c.exe"));
    EXPECT_EQ(e[3].strManualInstall, WSTR("D:\\softa.exe"));
    EXPECT_EQ(e[3].strAutoInstall, WSTR("D:\\soft%CurrDir%"));  // only WorkingDir is replaced
    // An entry does not inherit its category's WorkingDir.
    EXPECT_EQ(e[4].strManualInstall, WSTR("n.exe"));
}

TEST(Catalogue, AnEntryInTwoCategoriesGetsTwoRecords) {
    const CatalogueConfig* c = Load(
        "[Type]\nSort1=a\nSort2=b\n[a.List]\nList1=zip\n[b.List]\nList1=zip\n"
        "[zip]\nChecked=1\nAutoInstall=zip.exe\n");
    EntryInfo& first = c->pCategories[0].pEntries[0];
    EntryInfo& second = c->pCategories[1].pEntries[0];
    EXPECT_NE(&first, &second);
    EXPECT_EQ(first.nChecked, 1);
    EXPECT_EQ(second.nChecked, 1);
    first.nChecked = 0;
    EXPECT_EQ(second.nChecked, 1);
    EXPECT_EQ(second.strAutoInstall, WSTR("zip.exe"));
}

TEST(Catalogue, SpansStopBeforeTheEndMarkers) {
    const CatalogueConfig* c =
        Load("[Type]\nSort1=a\nSort2=b\n[a.List]\nList1=x\nList2=y\n[b.List]\n[x]\n[y]\n");
    const std::span<CategoryInfo> categories = CategoriesOf(*c);
    ASSERT_EQ(categories.size(), 2u);
    EXPECT_EQ(categories.data(), c->pCategories);
    const std::span<EntryInfo> entries = EntriesOf(categories[0]);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].strName, WSTR("y"));
    EXPECT_TRUE(EntriesOf(categories[1]).empty());
    EXPECT_TRUE(CategoriesOf(CatalogueConfig{}).empty());
    EXPECT_TRUE(EntriesOf(CategoryInfo{}).empty());
}

TEST(Catalogue, LongValuesAreCut) {
    const std::string longText(5000, 'd');
    const CatalogueConfig* c =
        Load("[Type]\nSort1=a\n[a.List]\nList1=e\n[e]\nDescription=" + longText +
             "\nWorkingDir=" + longText + "\n" + "AutoInstall=x.exe\n");
    const EntryInfo& e = c->pCategories[0].pEntries[0];
    EXPECT_EQ(e.strDescription.size(), 4095u);
    EXPECT_EQ(e.strAutoInstall.size(), 4095u + 5u);
}

TEST(Catalogue, MissingFileGivesAnEmptyCatalogue) {
    FakeHost app(WSTR("C:\\x\\Setup.exe"), WSTR("Setup.INI"));
    WString asked;
    const CatalogueConfig* c = LoadCatalogue(app, [&](const WString& path, std::string&) {
        asked = path;
        return false;
    });
    EXPECT_EQ(asked, WSTR("C:\\x\\Setup.INI"));
    EXPECT_EQ(app.ProfileName(), WSTR("C:\\x\\Setup.INI"));
    EXPECT_EQ(Dump(*c), "size 0 0 title 软件安装管理器 save  mode 1 0 0 \n[]  null");
}

TEST(Catalogue, RunningOutOfMemoryGivesAnEmptyCatalogue) {
    FakeHost app(WSTR("C:\\x\\Setup.exe"), WSTR("Setup.INI"));
    const CatalogueConfig* c = LoadCatalogue(app, [](const WString&, std::string& bytes) -> bool {
        bytes = "[Type]\nSort1=a\n";
        throw std::bad_alloc();
    });
    EXPECT_EQ(Dump(*c), "size 0 0 title 软件安装管理器 save  mode 1 0 0 \n[]  null");
}

TEST(Catalogue, PathsThatDoNotFit260UnitsGiveAnEmptyCatalogue) {
    const std::string text = "[Type]\nSort1=a\n";
    auto load = [&](const WString& module, const WString& profile, bool& read) {
        FakeHost app(module, profile);
        read = false;
        const CatalogueConfig* c = LoadCatalogue(app, [&](const WString& path, std::string& bytes) {
            read = true;
            bytes = text;
            return true;
        });
        return std::make_pair(CountCategories(c), app.ProfileName());
    };
    bool read;
    // 259 units is the longest path the platform's buffers hold.
    const WString folder = WSTR("C:\\") + WString(246, 'd') + WSTR("\\");  // 250 units
    EXPECT_EQ(load(folder + WSTR("Setup.exe"), WSTR("Setup.INI"), read),
              std::make_pair(size_t(1), folder + WSTR("Setup.INI")));
    EXPECT_EQ(load(folder + WSTR("Setup.exe"), WSTR("Setup1.INI"), read),
              std::make_pair(size_t(0), WString(WSTR("Setup1.INI"))));
    EXPECT_FALSE(read);
    const WString longFolder = WSTR("C:\\") + WString(300, 'd') + WSTR("\\");
    EXPECT_EQ(load(longFolder + WSTR("Setup.exe"), WSTR("Setup.INI"), read).first, 0u);
    EXPECT_FALSE(read);
    // A module path without a folder, or none at all.
    EXPECT_EQ(load(WSTR("Setup.exe"), WSTR("Setup.INI"), read).first, 0u);
    EXPECT_EQ(load(WSTR(""), WSTR("Setup.INI"), read).first, 0u);
    EXPECT_FALSE(read);
}

TEST(Catalogue, OneRecordPerProcessAndEarlierArraysStayValid) {
    CatalogueConfig* first = Load("[Type]\nSort1=old\n[old.List]\nList1=e\n");
    CategoryInfo* oldCategories = first->pCategories;
    first->nDefault = 0;  // as the mode command does
    CatalogueConfig* second = Load("[Type]\nSort1=new\n");
    EXPECT_EQ(first, second);
    EXPECT_EQ(second->nDefault, 1);
    EXPECT_EQ(second->pCategories[0].strName, WSTR("new"));
    EXPECT_EQ(oldCategories[0].strName, WSTR("old"));
    EXPECT_EQ(oldCategories[0].pEntries[0].strName, WSTR("e"));
}

TEST(Catalogue, TheSameModelFromEveryEncoding) {
    const WString dir = TestDataFolder();
    std::string expected;
    for (const WChar* name : {WSTR("catalogue_utf8.ini"), WSTR("catalogue_utf8bom.ini"),
                              WSTR("catalogue_utf16le.ini"), WSTR("catalogue_cp936.ini")}) {
        FakeHost app(dir + WSTR("Setup.exe"), name);
        const std::string model = Dump(*LoadCatalogue(app));  // the platform's file reader
        EXPECT_EQ(app.ProfileName(), dir + name);
        if (expected.empty()) {
            expected = model;
            const std::string folder = WideToUtf8(dir);
            EXPECT_EQ(model,
                      "size 900 600 title 装机工具 2024 save D:\\软件包\\ mode 0 1 10 \n"
                      "[常用软件] " +
                          folder +
                          "icons\\常用.ico\n"
                          "  压缩工具|" +
                          folder + "icons\\zip.ico|1 " + folder + "soft\\压缩.exe /S|" + folder +
                          "soft\\压缩.exe|“好压”解压缩软件\n"
                          "  输入法|D:\\输入法\\|0 D:\\输入法\\\"setup.exe\" /quiet|D:\\输入法\\|"
                          "  带空格  \n"
                          "  ||0 ||\n"
                          "[办公软件] office.ico\n"
                          "  压缩工具|" +
                          folder + "icons\\zip.ico|1 " + folder + "soft\\压缩.exe /S|" + folder +
                          "soft\\压缩.exe|“好压”解压缩软件\n"
                          "  ||0 ||\n"
                          "[]  null");
        }
        EXPECT_EQ(model, expected) << WideToUtf8(name);
    }
}

}  // namespace
