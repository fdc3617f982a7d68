// The catalogue's run keys: exit-code lists, timeouts, the unattended exit and the log file.
#include "app/run_options.h"

#include <gtest/gtest.h>

#include "app/catalogue.h"
#include "app/catalogue_host.h"
#include "app/utf.h"

namespace {

using Codes = std::vector<uint32_t>;

TEST(RunOptions, ExitCodeListsReadDecimalHexAndNegativeCodesAndSetJunkApart) {
    ExitCodeList list = ParseExitCodes(WSTR(" 0 ,3010,\t0x641 , 0XFFFFFFFF,-1,, "));
    EXPECT_EQ(list.codes, (Codes{0, 3010, 0x641, 0xFFFFFFFF, 0xFFFFFFFF}));
    EXPECT_TRUE(list.unreadable.empty());

    list = ParseExitCodes(WSTR("0,yes,12ab,0x,4294967296,-2147483649,0x1G,1 2,１,3010"));
    EXPECT_EQ(list.codes, (Codes{0, 3010}));
    EXPECT_EQ(list.unreadable,
              (std::vector<WString>{WSTR("yes"), WSTR("12ab"), WSTR("0x"), WSTR("4294967296"),
                                    WSTR("-2147483649"), WSTR("0x1G"), WSTR("1 2"), WSTR("１")}));
    EXPECT_TRUE(ParseExitCodes(WSTR("")).codes.empty());
    EXPECT_EQ(ParseExitCodes(WSTR("-2147483648")).codes, Codes{0x80000000u});
}

TEST(RunOptions, TimeoutsInMilliseconds) {
    EXPECT_EQ(TimeoutMilliseconds(0), kWaitWithoutLimit);
    EXPECT_EQ(TimeoutMilliseconds(-5), kWaitWithoutLimit);
    EXPECT_EQ(TimeoutMilliseconds(2), 2000u);
    EXPECT_EQ(TimeoutMilliseconds(INT32_MAX), kWaitWithoutLimit - 1);
}

class Host : public ICatalogueHost {
public:
    WString ModulePath() const override { return WSTR("E:\\盘\\Setup.exe"); }
    WString ProfileName() const override { return WSTR("Setup.INI"); }
    void SetProfileName(const WString&) override {}
};

const CatalogueConfig& Load(const std::string& text) {
    Host host;
    return *LoadCatalogue(host, [&](const WString&, std::string& bytes) {
        bytes = text;
        return true;
    });
}

TEST(RunOptions, EntriesTakeConfigDefaultsUnlessTheirOwnKeysSaySomethingElse) {
    const CatalogueConfig& c = Load(
        "[Config]\nSuccessCodes=0,3010\nTimeout=600\nExitAfterCountdown=1\n"
        "LogFile=%CurrDir%logs\\run.log\n"
        "[Type]\nSort1=A\n[A.List]\nList1=plain\nList2=own\nList3=any\nList4=junk\n"
        "[own]\nSuccessCodes=0x0, 1641\nTimeout=5\n"
        "[any]\nSuccessCodes=\nTimeout=0\n"
        "[junk]\nSuccessCodes=yes\nTimeout=soon\n");
    EXPECT_EQ(c.bExitAfterCountdown, 1);
    EXPECT_EQ(c.strLogFile, WSTR("E:\\盘\\logs\\run.log"));
    const EntryInfo* e = c.pCategories[0].pEntries;
    EXPECT_TRUE(e[0].policy.bHasSuccessCodes);
    EXPECT_EQ(e[0].policy.successCodes, (Codes{0, 3010}));
    EXPECT_EQ(e[0].policy.nTimeout, 600);
    EXPECT_EQ(e[1].policy.successCodes, (Codes{0, 1641}));
    EXPECT_EQ(e[1].policy.nTimeout, 5);
    EXPECT_TRUE(e[1].policy.IsSuccess(1641));
    EXPECT_FALSE(e[1].policy.IsSuccess(3010));
    // An empty or unreadable list accepts any end; a timeout of 0 or no number, no limit.
    for (const EntryInfo* entry : {&e[2], &e[3]}) {
        EXPECT_FALSE(entry->policy.bHasSuccessCodes);
        EXPECT_TRUE(entry->policy.IsSuccess(1603));
        EXPECT_EQ(entry->policy.nTimeout, 0);
    }
}

TEST(RunOptions, ACatalogueWithoutTheKeysKeepsEveryEndASuccess) {
    const CatalogueConfig& c = Load("[Type]\nSort1=A\n[A.List]\nList1=x\n[Config]\nLogFile=\n");
    const InstallerPolicy& policy = c.pCategories[0].pEntries[0].policy;
    EXPECT_FALSE(policy.bHasSuccessCodes);
    EXPECT_TRUE(policy.IsSuccess(1603));
    EXPECT_EQ(policy.nTimeout, 0);
    EXPECT_EQ(c.bExitAfterCountdown, 0);
    EXPECT_TRUE(c.strLogFile.empty());
    EXPECT_TRUE(AsksForRestart(3010));
    EXPECT_TRUE(AsksForRestart(1641));
    EXPECT_FALSE(AsksForRestart(0));
}

}  // namespace
