// CShell's command resolution, copy and start, against a file system and starter in memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <vector>

#include "ops/shell.h"
#include "ops/white_space.h"

namespace {

// Exists() is an exact lookup; every question asked is logged in order.
class FakeFileSystem : public IFileSystem {
public:
    std::set<WString> entries;
    std::map<WString, unsigned> driveTypes;  // roots not listed are fixed disks
    std::vector<WString> searches;
    std::vector<WString> driveQueries;
    struct CopyCall {
        WString from, to;
        bool failIfExists;
    };
    std::vector<CopyCall> copies;
    bool copyResult = true;

    unsigned DriveType(const WString& root) override {
        driveQueries.push_back(root);
        const auto it = driveTypes.find(root);
        return it == driveTypes.end() ? kDriveFixed : it->second;
    }
    bool Copy(const WString& from, const WString& to, bool failIfExists) override {
        copies.push_back({from, to, failIfExists});
        return copyResult;
    }

protected:
    bool FindMatch(const WString& text) override {
        searches.push_back(text);
        return entries.count(text) != 0;
    }
    bool MeasureFile(const WString&, uint64_t&) override {
        ADD_FAILURE() << "resolution never measures a file";
        return false;
    }
};

// Hands out distinct fake handles and keeps track of which are still open.
class FakeStarter : public IProcessStarter {
public:
    struct StartCall {
        WString file, params;
    };
    std::vector<StartCall> starts;
    std::vector<ProcessHandle> waits;
    std::set<ProcessHandle> open;
    bool createProcess = true;

    ProcessHandle Start(const WString& file, const WString& params) override {
        starts.push_back({file, params});
        if (!createProcess) return nullptr;
        const auto handle = reinterpret_cast<ProcessHandle>(std::uintptr_t{0x100} * next++);
        open.insert(handle);
        return handle;
    }
    bool Wait(ProcessHandle process, uint32_t, uint32_t& exitCode) override {
        EXPECT_EQ(open.count(process), 1u) << "wait on a handle that is not open";
        waits.push_back(process);
        exitCode = 0;
        return true;
    }
    void Close(ProcessHandle process) override {
        EXPECT_EQ(open.erase(process), 1u) << "closed a handle that is not open";
    }

private:
    std::uintptr_t next = 1;
};

class ShellTest : public ::testing::Test {
protected:
    FakeFileSystem fs;
    FakeStarter starter;
    CShell shell{fs, starter};

    void MakeCdrom(const WString& root) { fs.driveTypes[root] = kDriveCdRom; }
};

TEST_F(ShellTest, TriesSplitsFromShortestToLongestWithWholeTextFirst) {
    fs.entries = {WSTR("C:\\Program Files\\Tool\\setup.exe")};
    EXPECT_EQ(shell.SetCommand(WSTR("C:\\Program Files\\Tool\\setup.exe /S"), WSTR("")), 1);
    EXPECT_EQ(shell.m_bFound, 1);
    EXPECT_EQ(shell.m_strPath, WSTR("C:\\Program Files\\Tool\\setup.exe"));
    EXPECT_EQ(shell.m_strParams, WSTR("/S"));
    const std::vector<WString> expected = {
        WSTR("C:\\Program Files\\Tool\\setup.exe /S"), WSTR("C:\\Program"),
        WSTR("C:\\Program Files\\Tool\\setup.exe /S"), WSTR("C:\\Program Files\\Tool\\setup.exe")};
    EXPECT_EQ(fs.searches, expected);
    EXPECT_TRUE(fs.driveQueries.empty()) << "no marker, no drive-type question";

    // The shortest existing program part wins, even when a longer one exists too.
    fs.entries = {WSTR("a"), WSTR("a b")};
    shell.SetCommand(WSTR("a b c"), WSTR(""));
    EXPECT_EQ(shell.m_strPath, WSTR("a"));
    EXPECT_EQ(shell.m_strParams, WSTR("b c"));

    // ... but the whole text comes before any split, and then no parameters are split off.
    fs.entries = {WSTR("my"), WSTR("my setup.exe")};
    shell.SetCommand(WSTR("my setup.exe"), WSTR("/given"));
    EXPECT_EQ(shell.m_strPath, WSTR("my setup.exe"));
    EXPECT_EQ(shell.m_strParams, WSTR("/given"));
}

TEST_F(ShellTest, RelativeCommandSplitsAtTheBlankAfterTheExistingName) {
    fs.entries = {WSTR("setup.exe")};
    shell.SetCommand(WSTR("setup.exe /S /norestart"), WSTR(""));
    EXPECT_EQ(shell.m_strPath, WSTR("setup.exe"));
    EXPECT_EQ(shell.m_strParams, WSTR("/S /norestart"));

    // A blank at the very start is no split position; a second blank stays in the rest.
    fs.entries = {WSTR("a.exe")};
    shell.SetCommand(WSTR("a.exe  /q"), WSTR(""));
    EXPECT_EQ(shell.m_strParams, WSTR(" /q"));
}

TEST_F(ShellTest, SplitParametersComeBeforeTheGivenOnesSeparatedByOneBlank) {
    fs.entries = {WSTR("a.exe")};
    shell.SetCommand(WSTR("a.exe /S"), WSTR("/D=x"));
    EXPECT_EQ(shell.m_strParams, WSTR("/S /D=x"));
    shell.SetCommand(WSTR("a.exe /S"), WSTR(""));
    EXPECT_EQ(shell.m_strParams, WSTR("/S"));
    shell.SetCommand(WSTR("a.exe"), WSTR("/D=x"));
    EXPECT_EQ(shell.m_strParams, WSTR("/D=x"));

    WString params;
    EXPECT_EQ(shell.GetCommand(params), WSTR("a.exe"));
    EXPECT_EQ(params, WSTR("/D=x"));
}

TEST_F(ShellTest, CdromMarkerSearchesOnlyCdDrivesInTableOrder) {
    MakeCdrom(WSTR("D:\\"));
    MakeCdrom(WSTR("F:\\"));
    MakeCdrom(WSTR("Z:\\"));
    fs.entries = {WSTR("E:\\soft\\a.exe"), WSTR("F:\\soft\\a.exe"), WSTR("Z:\\soft\\a.exe")};
    EXPECT_EQ(shell.SetCommand(WSTR("cdrom:\\soft\\a.exe /q"), WSTR("")), 1);
    EXPECT_EQ(shell.m_strPath, WSTR("F:\\soft\\a.exe"));
    EXPECT_EQ(shell.m_strParams, WSTR("/q"));

    // Every root from C to Z is asked once, in order; A and B never.
    ASSERT_EQ(fs.driveQueries.size(), 24u);
    EXPECT_EQ(fs.driveQueries.front(), WSTR("C:\\"));
    EXPECT_EQ(fs.driveQueries.back(), WSTR("Z:\\"));
    EXPECT_EQ(fs.driveQueries,
              std::vector<WString>(CShell::DriveTable().begin(), CShell::DriveTable().end()));
    // E: holds the file but is a fixed disk: never searched.
    const std::vector<WString> expected = {WSTR("D:\\soft\\a.exe /q"), WSTR("D:\\soft\\a.exe"),
                                           WSTR("F:\\soft\\a.exe /q"), WSTR("F:\\soft\\a.exe")};
    EXPECT_EQ(fs.searches, expected);

    // On two CD drives the earlier letter wins.
    fs.entries.insert(WSTR("D:\\soft\\a.exe"));
    shell.SetCommand(WSTR("cdrom:\\soft\\a.exe /q"), WSTR(""));
    EXPECT_EQ(shell.m_strPath, WSTR("D:\\soft\\a.exe"));
}

TEST_F(ShellTest, DrivesAreTriedInsideEachSplitPosition) {
    // At the first blank F: has the program part; the longer name on E: comes later.
    MakeCdrom(WSTR("E:\\"));
    MakeCdrom(WSTR("F:\\"));
    fs.entries = {WSTR("E:\\my setup.exe"), WSTR("F:\\my")};
    shell.SetCommand(WSTR("cdrom:\\my setup.exe /S"), WSTR(""));
    EXPECT_EQ(shell.m_strPath, WSTR("F:\\my"));
    EXPECT_EQ(shell.m_strParams, WSTR("setup.exe /S"));
}

TEST_F(ShellTest, TextBeforeTheMarkerAndEveryMarkerAreDropped) {
    MakeCdrom(WSTR("E:\\"));
    fs.entries = {WSTR("E:\\soft\\a.exe")};
    shell.SetCommand(WSTR("C:\\Media\\cdrom:\\soft\\a.exe /q"), WSTR(""));
    EXPECT_EQ(shell.m_strPath, WSTR("E:\\soft\\a.exe"));
    EXPECT_EQ(shell.m_strParams, WSTR("/q"));

    shell.SetCommand(WSTR("cdrom:\\soft\\cdrom:\\a.exe cdrom:\\/q"), WSTR(""));
    EXPECT_EQ(shell.m_strPath, WSTR("E:\\soft\\a.exe"));
    EXPECT_EQ(shell.m_strParams, WSTR("/q"));

    // Letter case counts: this is an ordinary path, and no drive type is asked.
    fs.driveQueries.clear();
    fs.entries = {WSTR("CDROM:\\soft\\a.exe")};
    EXPECT_EQ(shell.SetCommand(WSTR("CDROM:\\soft\\a.exe"), WSTR("")), 1);
    EXPECT_EQ(shell.m_strPath, WSTR("CDROM:\\soft\\a.exe"));
    EXPECT_TRUE(fs.driveQueries.empty());
}

TEST_F(ShellTest, MarkerWithoutCdDrivesLooksRelativeToTheCurrentFolder) {
    fs.entries = {WSTR("soft\\a.exe")};
    EXPECT_EQ(shell.SetCommand(WSTR("cdrom:\\soft\\a.exe /q"), WSTR("")), 1);
    EXPECT_EQ(shell.m_strPath, WSTR("soft\\a.exe"));
    EXPECT_EQ(shell.m_strParams, WSTR("/q"));
    EXPECT_EQ(fs.driveQueries.size(), 24u);
}

TEST_F(ShellTest, NotFoundKeepsTheTrimmedTextWithItsMarkerAndTheGivenParameters) {
    MakeCdrom(WSTR("E:\\"));
    EXPECT_EQ(shell.SetCommand(WSTR(" \tC:\\x\\cdrom:\\soft\\a.exe /q\r\n"), WSTR("/p")), 0);
    EXPECT_EQ(shell.m_bFound, 0);
    EXPECT_EQ(shell.m_strPath, WSTR("C:\\x\\cdrom:\\soft\\a.exe /q"));
    EXPECT_EQ(shell.m_strParams, WSTR("/p"));

    // A found command followed by a missing one: nothing of the first is left.
    fs.entries = {WSTR("a.exe")};
    EXPECT_EQ(shell.SetCommand(WSTR("a.exe /S"), WSTR("")), 1);
    EXPECT_EQ(shell.SetCommand(WSTR("b.exe /T"), WSTR("")), 0);
    EXPECT_EQ(shell.m_bFound, 0);
    EXPECT_EQ(shell.m_strPath, WSTR("b.exe /T"));
    EXPECT_EQ(shell.m_strParams, WSTR(""));
    EXPECT_EQ(shell.SetCommand(WSTR(""), WSTR("")), 0);
    EXPECT_EQ(shell.SetCommand(WSTR(" \t "), WSTR("")), 0);
    EXPECT_EQ(shell.m_strPath, WSTR(""));
}

TEST_F(ShellTest, TrimsTheSameWhiteSpaceAsTheWindowsCLibrary) {
    fs.entries = {WSTR("a.exe")};
    const WChar trimmed[] = {0x09, 0x0A,   0x0B,   0x0C,   0x0D,   0x20,
                             0xA0, 0x2000, 0x200A, 0x2028, 0x205F, 0x3000};
    for (const WChar unit : trimmed) {
        const WString pad(2, unit);
        EXPECT_EQ(shell.SetCommand(pad + WSTR("a.exe") + pad, WSTR("")), 1) << int(unit);
        EXPECT_EQ(shell.m_strPath, WSTR("a.exe")) << int(unit);
    }
    // Not white space for the C library: left in place, so the name is not found.
    const WChar kept[] = {0x00, 0x1C, 0x85, 0x180E, 0x200B, 0xFEFF, 0xFFFF};
    for (const WChar unit : kept) {
        EXPECT_EQ(shell.SetCommand(WString(1, unit) + WSTR("a.exe"), WSTR("")), 0) << int(unit);
        EXPECT_EQ(shell.m_strPath.size(), 6u) << int(unit);
    }
    // Inside the text a tab is not a split position.
    fs.entries = {WSTR("a.exe")};
    EXPECT_EQ(shell.SetCommand(WSTR("a.exe\t/S"), WSTR("")), 0);
}

TEST_F(ShellTest, TextsOf260UnitsOrMoreNeverExist) {
    const WString name259(259, WSTR('n'));
    const WString name260(260, WSTR('n'));
    fs.entries = {name259, name260, WSTR("E:\\") + WString(256, WSTR('n')),
                  WSTR("E:\\") + WString(257, WSTR('n'))};
    EXPECT_EQ(shell.SetCommand(name259, WSTR("")), 1);
    EXPECT_EQ(shell.SetCommand(name260, WSTR("")), 0);
    EXPECT_EQ(std::count(fs.searches.begin(), fs.searches.end(), name260), 0)
        << "a 260-unit text must not reach the search";

    // The drive root counts towards the length.
    MakeCdrom(WSTR("E:\\"));
    EXPECT_EQ(shell.SetCommand(WSTR("cdrom:\\") + WString(256, WSTR('n')), WSTR("")), 1);
    EXPECT_EQ(shell.SetCommand(WSTR("cdrom:\\") + WString(257, WSTR('n')), WSTR("")), 0);

    // A long command still splits into a short, existing program part.
    fs.entries = {WSTR("a.exe")};
    EXPECT_EQ(shell.SetCommand(WSTR("a.exe ") + WString(5000, WSTR('p')), WSTR("")), 1);
    EXPECT_EQ(shell.m_strParams.size(), 5000u);

    // Nor does a text with a NUL in it, whatever precedes the NUL.
    WString withNul = WSTR("a.exe");
    withNul += WChar{0};
    withNul += WSTR("x");
    EXPECT_EQ(shell.SetCommand(withNul, WSTR("")), 0);
}

TEST_F(ShellTest, ConstructionFromACommandResolvesAtOnce) {
    fs.entries = {WSTR("a.exe")};
    CShell found(WSTR("  a.exe /S "), WSTR("/x"), fs, starter);
    EXPECT_EQ(found.m_bFound, 1);
    EXPECT_EQ(found.m_strPath, WSTR("a.exe"));
    EXPECT_EQ(found.m_strParams, WSTR("/S /x"));

    CShell missing(WSTR("b.exe"), WSTR(""), fs, starter);
    EXPECT_EQ(missing.m_bFound, 0);

    CShell empty(fs, starter);
    EXPECT_EQ(empty.m_bFound, 0);
    EXPECT_EQ(empty.Execute(0), nullptr);
    EXPECT_EQ(empty.CopyTo(WSTR("x"), 0), 0);
    EXPECT_TRUE(starter.starts.empty());
}

TEST_F(ShellTest, CopyToCopiesOnlyAFoundFile) {
    EXPECT_EQ(shell.SetCommand(WSTR("a.exe"), WSTR("")), 0);
    EXPECT_EQ(shell.CopyTo(WSTR("D:\\out\\a.exe"), 0), 0);
    EXPECT_TRUE(fs.copies.empty());

    fs.entries = {WSTR("E:\\a.exe")};
    shell.SetCommand(WSTR("E:\\a.exe /S"), WSTR(""));
    EXPECT_EQ(shell.CopyTo(WSTR("D:\\out\\a.exe"), 0), 1);
    EXPECT_EQ(shell.CopyTo(WSTR("D:\\out\\b.exe"), 7), 1);
    fs.copyResult = false;
    EXPECT_EQ(shell.CopyTo(WSTR("D:\\out\\c.exe"), 0), 0);
    ASSERT_EQ(fs.copies.size(), 3u);
    EXPECT_EQ(fs.copies[0].from, WSTR("E:\\a.exe"));
    EXPECT_EQ(fs.copies[0].to, WSTR("D:\\out\\a.exe"));
    EXPECT_FALSE(fs.copies[0].failIfExists);
    EXPECT_TRUE(fs.copies[1].failIfExists);
}

TEST_F(ShellTest, ExecuteStartsOnlyAFoundFileWithItsParameters) {
    shell.SetCommand(WSTR("a.exe /S"), WSTR(""));
    EXPECT_EQ(shell.Execute(1), nullptr);
    EXPECT_EQ(shell.Execute(0), nullptr);
    EXPECT_TRUE(starter.starts.empty());

    fs.entries = {WSTR("a.exe")};
    shell.SetCommand(WSTR("a.exe /S"), WSTR(""));
    const ProcessHandle started = shell.Execute(0);
    ASSERT_NE(started, nullptr);
    EXPECT_EQ(shell.m_hProcess, started);
    EXPECT_TRUE(starter.waits.empty());
    ASSERT_EQ(starter.starts.size(), 1u);
    EXPECT_EQ(starter.starts[0].file, WSTR("a.exe"));
    EXPECT_EQ(starter.starts[0].params, WSTR("/S"));

    // No process created: null, with and without waiting, and nothing to wait for.
    starter.createProcess = false;
    EXPECT_EQ(shell.Execute(0), nullptr);
    EXPECT_EQ(shell.Execute(1), nullptr);
    EXPECT_TRUE(starter.waits.empty());
    EXPECT_EQ(shell.m_hProcess, nullptr);
}

TEST_F(ShellTest, EveryProcessHandleIsClosedOnceNobodyNeedsIt) {
    fs.entries = {WSTR("a.exe")};
    {
        CShell local(WSTR("a.exe"), WSTR(""), fs, starter);
        // Waiting: closed right after the wait; the result is non-null but no handle.
        const ProcessHandle ended = local.Execute(1);
        EXPECT_EQ(ended, CShell::EndedProcess());
        EXPECT_NE(ended, nullptr);
        EXPECT_EQ(starter.waits.size(), 1u);
        EXPECT_TRUE(starter.open.empty());
        EXPECT_EQ(local.m_hProcess, nullptr);

        // Not waiting: open until replaced by the next Execute or SetCommand.
        local.Execute(0);
        local.Execute(0);
        EXPECT_EQ(starter.open.size(), 1u);
        EXPECT_EQ(starter.open.count(local.m_hProcess), 1u);
        local.Execute(1);
        EXPECT_TRUE(starter.open.empty());
        local.Execute(0);
        local.SetCommand(WSTR("a.exe"), WSTR(""));
        EXPECT_TRUE(starter.open.empty());
        EXPECT_EQ(local.m_hProcess, nullptr);
        local.Execute(0);
        EXPECT_EQ(starter.open.size(), 1u);
    }
    // ... or by the destructor.
    EXPECT_TRUE(starter.open.empty());
    EXPECT_EQ(starter.starts.size(), 6u);
}

}  // namespace
