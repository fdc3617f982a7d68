// The batch run's sequence against a file system, a starter and a window in memory: every
// call lands in one log, so the order of titles, bar steps, starts and copies is checked too.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <set>
#include <vector>

#include "app/profile.h"
#include "tests/unit/memory_file_hasher.h"
#include "ui/batch/run_sequence.h"

namespace {

using batch::RunKind;
using Log = std::vector<WString>;

class LoggingFiles : public IFileSystem {
public:
    explicit LoggingFiles(Log& log) : m_log(log) {}
    std::set<WString> files;
    std::set<WString> unwritable;  // destinations that a copy cannot write

    unsigned DriveType(const WString&) override { return kDriveFixed; }
    bool Copy(const WString& from, const WString& to, bool failIfExists) override {
        m_log.push_back(WSTR("copy ") + from + WSTR(" > ") + to +
                        (failIfExists ? WSTR(" keep") : WSTR("")));
        return unwritable.count(to) == 0;
    }

protected:
    bool FindMatch(const WString& text) override { return files.count(text) != 0; }
    bool MeasureFile(const WString&, uint64_t&) override { return false; }

private:
    Log& m_log;
};

class LoggingStarter : public IProcessStarter {
public:
    explicit LoggingStarter(Log& log) : m_log(log) {}
    std::set<WString> unstartable;
    int open = 0;
    std::vector<uint32_t> exitCodes;  // of the installers, in the order they end; then 0
    std::vector<uint32_t> waits;      // the time limit of every wait
    bool hangs = false;               // no installer ends while the wait has a limit

    ProcessHandle Start(const WString& file, const WString& params) override {
        m_log.push_back(WSTR("start ") + file + WSTR(" [") + params + WSTR("]"));
        if (unstartable.count(file)) return nullptr;
        ++open;
        return &open;
    }
    bool Wait(ProcessHandle, uint32_t timeoutMs, uint32_t& exitCode) override {
        m_log.push_back(WSTR("wait"));
        waits.push_back(timeoutMs);
        exitCode = exitCodes.empty() ? 0 : exitCodes.front();
        if (!exitCodes.empty()) exitCodes.erase(exitCodes.begin());
        return !(hangs && timeoutMs != kWaitWithoutLimit);
    }
    void Close(ProcessHandle) override { --open; }

private:
    Log& m_log;
};

class LoggingWindow : public batch::IRunWindow {
public:
    explicit LoggingWindow(Log& log) : m_log(log) {}
    void StartBar(int total) override {
        m_log.push_back(WSTR("bar 0..") + WString(1, static_cast<WChar>(WSTR('0') + total)));
    }
    void SetTitle(const WString& text) override { m_log.push_back(WSTR("title ") + text); }
    void StepBar() override { m_log.push_back(WSTR("step")); }
    void AddFailure(const WString& record) override { m_log.push_back(WSTR("failed ") + record); }
    void ShowDone(const WString& text, const WString& caption) override {
        m_log.push_back(WSTR("done ") + caption + WSTR(": ") + text);
    }
    void ShowReport(const WString& caption, const WString& body, const WString& footer) override {
        m_log.push_back(WSTR("report ") + caption + WSTR("|") + body + WSTR("|") + footer);
    }
    void EndProgram(uint32_t exitCode) override {
        const std::string code = std::to_string(exitCode);
        m_log.push_back(WSTR("end program ") + WString(code.begin(), code.end()));
    }
    void Close() override { m_log.push_back(WSTR("close")); }

private:
    Log& m_log;
};

struct RunUnderTest {
    Log log;
    LoggingFiles files{log};
    LoggingStarter starter{log};
    LoggingWindow window{log};
    std::vector<WString> failures;

    void Go(RunKind kind, std::vector<WString> commands, bool exitWhenDone = false,
            const WString& saveDir = WString()) {
        CShell shell(files, starter);
        batch::RunParams params;
        params.kind = kind;
        params.commands = &commands;
        params.exitWhenDone = exitWhenDone;
        params.saveDir = saveDir;
        failures = batch::RunBatch(params, shell, window).failures;
    }
};

TEST(BatchRun, InstallOfFourWithTheSecondMissingTriesEachOnceAndReportsExactlyTheTitle) {
    RunUnderTest run;
    run.files.files = {WSTR("E:\\a.exe"), WSTR("E:\\c d.exe"), WSTR("E:\\e.exe")};
    // Asked to end the program, but a failure keeps it running.
    run.Go(RunKind::Install,
           {WSTR("E:\\a.exe /S"), WSTR("E:\\missing.exe /q"), WSTR("E:\\c d.exe"),
            WSTR("E:\\e.exe -x y")},
           true);
    const WString failedTitle = WSTR("正在安装...50.0% E:\\missing.exe /q");
    const Log expected = {
        WSTR("bar 0..4"),
        WSTR("title 正在安装...0.0% "),
        WSTR("title 正在安装...25.0% E:\\a.exe"),
        WSTR("step"),
        WSTR("start E:\\a.exe [/S]"),
        WSTR("wait"),
        WSTR("title ") + failedTitle,
        WSTR("step"),
        WSTR("failed ") + failedTitle,
        WSTR("title 正在安装...75.0% E:\\c d.exe"),
        WSTR("step"),
        WSTR("start E:\\c d.exe []"),
        WSTR("wait"),
        WSTR("title 正在安装...100.0% E:\\e.exe"),
        WSTR("step"),
        WSTR("start E:\\e.exe [-x y]"),
        WSTR("wait"),
        WSTR("report 某些项目安装失败, 请检查这些项目的安装文件路径!|") + failedTitle +
            WSTR("\r\n|"),
        WSTR("close"),
    };
    EXPECT_EQ(run.log, expected);
    EXPECT_EQ(run.failures, std::vector<WString>{failedTitle});
    EXPECT_EQ(run.starter.open, 0) << "every waited-for process handle is closed";
}

TEST(BatchRun, PercentTitlesForOneAndThreeEntriesAndHowACleanInstallRunEnds) {
    RunUnderTest one;
    one.files.files = {WSTR("E:\\a.exe")};
    one.Go(RunKind::Install, {WSTR("E:\\a.exe")}, true);
    EXPECT_EQ(one.log.at(2), WSTR("title 正在安装...100.0% E:\\a.exe"));
    // Ending the program replaces the message and the close of the progress window.
    EXPECT_EQ(one.log.back(), WSTR("end program 0"));
    EXPECT_EQ(std::count(one.log.begin(), one.log.end(), WSTR("close")), 0);

    RunUnderTest three;
    three.files.files = {WSTR("E:\\a.exe")};
    three.Go(RunKind::Install, {WSTR("E:\\a.exe"), WSTR("E:\\a.exe"), WSTR("E:\\a.exe")});
    Log titles;
    for (const WString& line : three.log)
        if (line.rfind(WSTR("title "), 0) == 0) titles.push_back(line.substr(6));
    EXPECT_EQ(titles,
              (Log{WSTR("正在安装...0.0% "), WSTR("正在安装...33.3% E:\\a.exe"),
                   WSTR("正在安装...66.7% E:\\a.exe"), WSTR("正在安装...100.0% E:\\a.exe")}));
    EXPECT_EQ(three.log.end()[-2], WSTR("done 软件安装: 所有项目安装完毕!"));
    EXPECT_EQ(three.log.back(), WSTR("close"));
}

TEST(BatchRun, AnInstallerThatCannotBeStartedIsAFailureAndTheRunGoesOn) {
    RunUnderTest run;
    run.files.files = {WSTR("E:\\bad.exe"), WSTR("E:\\good.exe")};
    run.starter.unstartable = {WSTR("E:\\bad.exe")};
    run.Go(RunKind::Install, {WSTR("E:\\bad.exe"), WSTR("E:\\good.exe")});
    EXPECT_EQ(run.failures, std::vector<WString>{WSTR("正在安装...50.0% E:\\bad.exe")});
    EXPECT_NE(std::find(run.log.begin(), run.log.end(), WSTR("start E:\\good.exe []")),
              run.log.end());
}

TEST(BatchRun, SaveDestinationsOverwriteAndTheReportNamesTheFolderAsGiven) {
    RunUnderTest run;
    run.files.files = {WSTR("E:\\Soft\\qq\\setup.exe"), WSTR("E:\\Other\\setup.exe"),
                       WSTR("local.exe"), WSTR("E:\\b.exe")};
    run.files.unwritable = {WSTR("D:\\Packs\\b.exe")};
    run.Go(RunKind::Save,
           {WSTR("E:\\Soft\\qq\\setup.exe /S"), WSTR("E:\\Other\\setup.exe"), WSTR("local.exe"),
            WSTR("E:\\b.exe")},
           false, WSTR("D:\\Packs\\"));
    Log copies;
    for (const WString& line : run.log)
        if (line.rfind(WSTR("copy "), 0) == 0) copies.push_back(line);
    // Two files of one name: the second overwrites the first, and both succeed. A file found
    // relative to the current folder goes into the folder, not onto it.
    EXPECT_EQ(copies, (Log{WSTR("copy E:\\Soft\\qq\\setup.exe > D:\\Packs\\setup.exe"),
                           WSTR("copy E:\\Other\\setup.exe > D:\\Packs\\setup.exe"),
                           WSTR("copy local.exe > D:\\Packs\\local.exe"),
                           WSTR("copy E:\\b.exe > D:\\Packs\\b.exe")}));
    EXPECT_EQ(run.log.at(2), WSTR("title 正在保存...25.0% E:\\Soft\\qq\\setup.exe"));
    EXPECT_EQ(run.log.end()[-2],
              WSTR("report 某些项目保存失败, 请检查这些项目的文件路径!|正在保存...100.0% "
                   "E:\\b.exe\r\n|文件保存路径: D:\\Packs\\"));

    // A folder without its backslash, a root, and a missing source.
    EXPECT_EQ(batch::SaveDestination(WSTR("D:\\Packs"), WSTR("E:\\a.exe")),
              WSTR("D:\\Packs\\a.exe"));
    EXPECT_EQ(batch::SaveDestination(WSTR("D:\\"), WSTR("E:\\a.exe")), WSTR("D:\\a.exe"));
    RunUnderTest missing;
    missing.Go(RunKind::Save, {WSTR("E:\\gone.exe")}, true, WSTR("D:\\"));
    EXPECT_EQ(missing.failures, std::vector<WString>{WSTR("正在保存...100.0% E:\\gone.exe")});
    EXPECT_EQ(std::count_if(missing.log.begin(), missing.log.end(),
                            [](const WString& l) { return l.rfind(WSTR("copy"), 0) == 0; }),
              0);

    RunUnderTest clean;
    clean.files.files = {WSTR("E:\\a.exe")};
    clean.Go(RunKind::Save, {WSTR("E:\\a.exe")}, true, WSTR("D:\\"));
    // A save run never ends the program.
    EXPECT_EQ(clean.log.end()[-2], WSTR("done 保存安装包: 所有项目保存完毕!"));
}

}  // namespace

namespace {

class MemoryLog : public IRunLog {
public:
    std::vector<RunLogRecord> records;
    void Write(const RunLogRecord& record) override { records.push_back(record); }
};

// Runs installs with policies; every installer ends with the next of exitCodes.
void RunWithPolicies(RunUnderTest& run, std::vector<WString> commands,
                     std::vector<InstallerPolicy> policies, std::vector<uint32_t> exitCodes,
                     bool exitWhenDone, bool exitAlways, MemoryLog* log = nullptr) {
    run.files.files = {WSTR("E:\\a.exe"), WSTR("E:\\b.exe"), WSTR("E:\\c.exe")};
    run.starter.exitCodes = std::move(exitCodes);
    CShell shell(run.files, run.starter);
    batch::RunParams params;
    params.commands = &commands;
    params.policies = &policies;
    params.exitWhenDone = exitWhenDone;
    params.exitAlways = exitAlways;
    params.log = log;
    run.failures = batch::RunBatch(params, shell, run.window).failures;
}

InstallerPolicy Accepting(std::vector<uint32_t> codes, int32_t timeout = 0) {
    InstallerPolicy policy;
    policy.bHasSuccessCodes = true;
    policy.successCodes = std::move(codes);
    policy.nTimeout = timeout;
    return policy;
}

TEST(BatchRun, ExitCodesOutsideTheListFailWithTheCodeAndACountdownRunEndsWithTheCount) {
    MemoryLog log;
    // a.exe ends 1603 (not accepted), b.exe without a list ends 1 (any end counts), c.exe 3010.
    RunUnderTest run;
    RunWithPolicies(
        run, {WSTR("E:\\a.exe /qn"), WSTR("E:\\b.exe"), WSTR("E:\\c.exe"), WSTR("E:\\gone.exe")},
        {Accepting({0, 3010}), InstallerPolicy(), Accepting({0, 3010}), InstallerPolicy()},
        {1603, 1, 3010}, true, true, &log);
    EXPECT_EQ(run.failures,
              (std::vector<WString>{WSTR("正在安装...25.0% E:\\a.exe（退出代码 1603）"),
                                    WSTR("正在安装...100.0% E:\\gone.exe")}));
    // No report: the program ends with the number of failures.
    EXPECT_EQ(run.log.back(), WSTR("end program 2"));
    EXPECT_EQ(std::count_if(run.log.begin(), run.log.end(),
                            [](const WString& l) { return l.rfind(WSTR("report"), 0) == 0; }),
              0);
    ASSERT_EQ(log.records.size(), 4u);
    std::vector<WString> outcomes;
    for (const RunLogRecord& r : log.records) outcomes.push_back(r.outcome);
    EXPECT_EQ(outcomes, (std::vector<WString>{WSTR("exit 1603 (failure)"), WSTR("exit 1"),
                                              WSTR("exit 3010"), WSTR("not found")}));
    EXPECT_EQ(log.records[0].command, WSTR("E:\\a.exe /qn"));
    EXPECT_EQ(log.records[0].file, WSTR("E:\\a.exe"));
    EXPECT_EQ(log.records[3].file, WSTR("E:\\gone.exe"));
    EXPECT_EQ(log.records[0].kind, RunLogKind::BatchInstall);

    // Without ExitAfterCountdown a failed countdown run shows its report and goes on.
    RunUnderTest shown;
    RunWithPolicies(shown, {WSTR("E:\\a.exe")}, {Accepting({0})}, {2}, true, false);
    EXPECT_EQ(shown.log.end()[-2], WSTR("report 某些项目安装失败, 请检查这些项目的安装文件路径!|"
                                        "正在安装...100.0% E:\\a.exe（退出代码 2）\r\n|"));
}

TEST(BatchRun, ARestartRequestIsNotedAndGivesExitCode3010) {
    // Accepted or not listed at all, 3010 and 1641 ask for a restart.
    RunUnderTest clicked;
    RunWithPolicies(clicked, {WSTR("E:\\a.exe"), WSTR("E:\\b.exe")}, {}, {0, 1641}, false, true);
    EXPECT_EQ(clicked.log.end()[-2],
              WSTR("done 软件安装: 所有项目安装完毕!\n\n部分软件需要重新启动计算机才能完成安装。"));
    RunUnderTest countdown;
    RunWithPolicies(countdown, {WSTR("E:\\a.exe")}, {Accepting({0, 3010})}, {3010}, true, true);
    EXPECT_EQ(countdown.log.back(), WSTR("end program 3010"));
    // A countdown run without the key ends with 0 as before, restart or not.
    RunUnderTest plain;
    RunWithPolicies(plain, {WSTR("E:\\a.exe")}, {}, {3010}, true, false);
    EXPECT_EQ(plain.log.back(), WSTR("end program 0"));
    RunUnderTest clean;
    RunWithPolicies(clean, {WSTR("E:\\a.exe")}, {}, {0}, false, false);
    EXPECT_EQ(clean.log.end()[-2], WSTR("done 软件安装: 所有项目安装完毕!"));
}

TEST(BatchRun, AnInstallerThatDoesNotEndInTimeIsAFailureAndTheNextOneRuns) {
    RunUnderTest run;
    run.files.files = {WSTR("E:\\a.exe"), WSTR("E:\\b.exe")};
    run.starter.hangs = true;
    std::vector<WString> commands = {WSTR("E:\\a.exe"), WSTR("E:\\b.exe")};
    InstallerPolicy twoSeconds;
    twoSeconds.nTimeout = 2;
    std::vector<InstallerPolicy> policies = {twoSeconds};  // b.exe: no policy, no limit
    CShell shell(run.files, run.starter);
    batch::RunParams params;
    params.commands = &commands;
    params.policies = &policies;
    MemoryLog log;
    params.log = &log;
    EXPECT_EQ(batch::RunBatch(params, shell, run.window).failures,
              std::vector<WString>{WSTR("正在安装...50.0% E:\\a.exe（超过 2 秒未结束）")});
    EXPECT_EQ(run.starter.waits, (std::vector<uint32_t>{2000, kWaitWithoutLimit}));
    EXPECT_EQ(run.starter.open, 0) << "the hung installer's handle is let go";
    EXPECT_EQ(log.records.at(0).outcome, WSTR("timed out"));
    EXPECT_EQ(log.records.at(1).outcome, WSTR("exit 0"));
}

TEST(RunLog, LinesHaveSixTabSeparatedFieldsAndTheWriterKeepsTheirOrder) {
    RunLogRecord record;
    record.kind = RunLogKind::LinkSave;
    record.command = WSTR("soft\\压缩\tx.exe\r\n/S");
    record.file = WSTR("E:\\soft\\压缩 x.exe");
    record.outcome = WSTR("copied");
    record.seconds = 2.46;
    EXPECT_EQ(FormatRunLogLine(record, "2026-12-09 10:15:02"),
              "2026-12-09 10:15:02\tlink-save\tsoft\\压缩 x.exe  /S\tE:\\soft\\压缩 x.exe\tcopied"
              "\t2.5\r\n");

    std::vector<std::string> written;
    std::mutex mutex;
    {
        CRunLogWriter writer([] { return std::string("T"); },
                             [&](const std::string& line) {
                                 const std::lock_guard lock(mutex);
                                 written.push_back(line);
                                 return true;
                             });
        for (const WChar* outcome : {WSTR("exit 0"), WSTR("not found"), WSTR("timed out")}) {
            record.outcome = outcome;
            writer.Write(record);
        }
        EXPECT_TRUE(writer.Flush(5000));
    }
    ASSERT_EQ(written.size(), 3u);
    EXPECT_NE(written[0].find("\texit 0\t"), std::string::npos);
    EXPECT_NE(written[2].find("\ttimed out\t"), std::string::npos);

    // A sink that cannot write drops the lines and never blocks a writer.
    std::atomic<int> tries{0};
    CRunLogWriter broken([] { return std::string("T"); },
                         [&](const std::string&) { return ++tries, false; });
    for (int i = 0; i < 100; ++i) broken.Write(record);
    EXPECT_TRUE(broken.Flush(5000));
    EXPECT_EQ(tries.load(), 1);
}

TEST(BatchRun, PackagesTheHashesDoNotVouchForAreNeitherStartedNorCopied) {
    // ok.exe is listed and intact, bad.exe listed but altered, new.exe not listed at all.
    MemoryFileHasher hasher;
    hasher.Add(WSTR("E:\\soft\\ok.exe"), kAbcSha256);
    hasher.Add(WSTR("E:\\soft\\bad.exe"), kEmptySha256);
    const CProfile profile(WString(WSTR("[Hashes]\nSOFT\\OK.exe = ")) + kAbcSha256 +
                           WSTR("\nsoft\\bad.exe=") + kAbcSha256 + WSTR("\n"));
    for (const bool require : {false, true}) {
        const CPackageCheck check(CCatalogueHashes(profile), require, WSTR("E:\\"), hasher);
        for (const RunKind kind : {RunKind::Install, RunKind::Save}) {
            RunUnderTest run;
            run.files.files = {WSTR("E:\\soft\\ok.exe"), WSTR("E:\\soft\\bad.exe"),
                               WSTR("E:\\soft\\new.exe")};
            std::vector<WString> commands = {WSTR("E:\\soft\\ok.exe /S"), WSTR("E:\\soft\\bad.exe"),
                                             WSTR("E:\\soft\\new.exe")};
            CShell shell(run.files, run.starter);
            batch::RunParams params;
            params.kind = kind;
            params.commands = &commands;
            params.saveDir = WSTR("D:\\");
            params.check = &check;
            MemoryLog log;
            params.log = &log;
            const WString verb =
                kind == RunKind::Install ? WSTR("正在安装...") : WSTR("正在保存...");
            std::vector<WString> expected = {verb +
                                             WSTR("66.7% E:\\soft\\bad.exe（文件校验失败）")};
            if (require)
                expected.push_back(verb + WSTR("100.0% E:\\soft\\new.exe（文件未列入校验清单）"));
            EXPECT_EQ(batch::RunBatch(params, shell, run.window).failures, expected);

            // Only what was not refused reached the starter or the copy.
            Log used;
            for (const WString& line : run.log)
                if (line.rfind(WSTR("start "), 0) == 0 || line.rfind(WSTR("copy "), 0) == 0)
                    used.push_back(line.substr(line.find(WSTR("E:\\soft\\")) + 8, 3));
            EXPECT_EQ(used, require ? Log{WSTR("ok.")} : (Log{WSTR("ok."), WSTR("new")}));
            std::vector<WString> outcomes;
            for (const RunLogRecord& r : log.records) outcomes.push_back(r.outcome);
            const WString used0 = kind == RunKind::Install ? WSTR("exit 0") : WSTR("copied");
            std::vector<WString> want = {WSTR("verified"), used0, WSTR("hash mismatch")};
            want.push_back(require ? WSTR("not listed") : used0);
            EXPECT_EQ(outcomes, want);
        }
    }
}

}  // namespace
