// The logon check's log: lines that stay lines whatever a name holds, a file
// that keeps its newest lines within its limit, and the last run read back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "blocking/BlockCheckLogFormat.h"

namespace {

const BlockCheckAction kRemoved{"HKCU\\...\\Run", "Nag", "C:\\nag.exe /tray", true, ""};
const BlockCheckAction kRefused{"HKLM\\...\\Run", "Up\tdate", "C:\\up.exe\r\n/x", false, "access denied"};

TEST(BlockCheckLog, EveryActionIsOneLineOfSixFields) {
    EXPECT_EQ(BlockCheckLogLine("2026-12-10 08:00:01", kRemoved),
              "2026-12-10 08:00:01\tHKCU\\...\\Run\tNag\tC:\\nag.exe /tray\tremoved\t\r\n");
    EXPECT_EQ(BlockCheckLogLine("2026-12-10 08:00:01", kRefused),
              "2026-12-10 08:00:01\tHKLM\\...\\Run\tUp date\tC:\\up.exe  /x\tnot removed\taccess denied\r\n");
}

TEST(BlockCheckLog, TheFileKeepsItsNewestWholeLinesWithinTheLimit) {
    const std::string line = BlockCheckLogLine("t", kRemoved);  // 36 bytes
    struct Case {
        const char* what;
        std::string log, added;
        size_t limit;
        std::string expected;
    } cases[] = {
        {"fits", line, line, 1000, line + line},
        {"the oldest line goes", line + "x\r\n", line, line.size() + 3, "x\r\n" + line},
        {"a cut last line is ended first", "half", line, 1000, "half\r\n" + line},
        {"one line over the limit keeps its end", "", line, 10, line.substr(line.size() - 10)},
        {"exactly at a line start", "ab\r\n", line, line.size(), line},
    };
    for (const Case& c : cases) {
        const std::string result = AppendToBlockCheckLog(c.log, c.added, c.limit);
        EXPECT_EQ(result, c.expected) << c.what;
        EXPECT_LE(result.size(), c.limit) << c.what;
    }
}

TEST(BlockCheckLog, TheLastRunIsTheLinesOfTheNewestTime) {
    const std::string log = BlockCheckLogLine("2026-12-09 08:00:00", kRefused) + "garbage line\r\n" +
                            BlockCheckLogLine("2026-12-10 08:00:01", kRemoved) +
                            BlockCheckLogLine("2026-12-10 08:00:01", kRefused);
    const BlockCheckRun run = LastBlockCheckRun(log);
    EXPECT_EQ(run.time, "2026-12-10 08:00:01");
    ASSERT_EQ(run.actions.size(), 2u);
    EXPECT_EQ(run.actions[0].name, "Nag");
    EXPECT_TRUE(run.actions[0].removed);
    EXPECT_EQ(run.actions[1].name, "Up date");
    EXPECT_FALSE(run.actions[1].removed);
    EXPECT_EQ(run.actions[1].reason, "access denied");
    EXPECT_EQ(LastBlockCheckRun("").time, "");
    EXPECT_EQ(LastBlockCheckRun("no\ttabs\there\r\n").actions.size(), 0u);
}

TEST(BlockCheckLog, TheSummaryNamesWhatTheNewestRunRemovedAndWhatNot) {
    const BlockCheckAction removed2{"HKLM\\...\\Run", "Up, date", "C:\\up.exe", true, ""};
    const std::string at = "Logon check %s:", gone = "%s removed:", kept = "%s not removed:";
    struct Case {
        const char* what;
        std::vector<BlockCheckAction> actions;
        std::string summary;
    } cases[] = {
        {"removals", {kRemoved, removed2}, "Logon check T: 2 removed: Nag, Up, date"},
        {"a refusal", {kRefused}, "Logon check T: 1 not removed: Up date"},
        {"both, each in its part", {kRefused, kRemoved}, "Logon check T: 1 removed: Nag; 1 not removed: Up date"},
    };
    for (const Case& c : cases) {
        std::string log;
        for (const BlockCheckAction& action : c.actions) log += BlockCheckLogLine("T", action);
        EXPECT_EQ(BlockCheckRunSummary(LastBlockCheckRun(log), at, gone, kept), c.summary) << c.what;
    }
    EXPECT_EQ(BlockCheckRunSummary(LastBlockCheckRun("garbage\r\n"), at, gone, kept), "") << "no run: nothing";
}

}  // namespace
