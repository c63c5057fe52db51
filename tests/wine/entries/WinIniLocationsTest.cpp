// The load= and run= lists, through the platform's profile functions; the
// platform keeps win.ini's [Windows] section in the registry, where the tests
// seed and check it.
#include "LocationsFixture.h"
#include "entries/WinIniLocations.h"
#include "system/DataFolder.h"

namespace entrytest {
namespace {

const int kWinIniKinds[] = {kWinIniLoad, kWinIniRun};

using WinIniLocations = LocationsTest;

TEST_F(WinIniLocations, SplitsTheListIntoItemsAsTheyStand) {
    struct Case {
        const char* list;
        std::vector<std::pair<std::string, std::string>> entries;  // name, command in list order
    } cases[] = {
        {"a.exe;B.EXE", {{".", "a.exe"}, {"B.EXE", "B.EXE"}}},
        {"C:\\X.EXE; C:\\Y.EXE", {{"CX.EXE", "C:\\X.EXE"}, {"CY.EXE", " C:\\Y.EXE"}}},
        {"C:\\X.EXE;", {{"CX.EXE", "C:\\X.EXE"}}},
        {";C:\\X.EXE;;C:\\Y.EXE", {{"", ""}, {"CX.EXE", "C:\\X.EXE"}, {"", ""}, {"CY.EXE", "C:\\Y.EXE"}}},
        {"\"C:\\P Q\\Z.EXE\" /a", {{"CPQZ.EXE", "\"C:\\P Q\\Z.EXE\" /a"}}},
        {"", {}},
    };
    for (const int kind : kWinIniKinds) {
        for (const Case& c : cases) {
            SetRawWinIni(WinIniKeyOf(kind), c.list);
            const EntryList entries = ListWinIniEntries(kind);
            std::vector<std::pair<std::string, std::string>> got;
            for (const StartupEntry& entry : entries) {
                got.emplace_back(entry.name, entry.command);
                EXPECT_EQ(entry.kind, kind);
                EXPECT_EQ(entry.active, 1);
            }
            EXPECT_EQ(got, c.entries) << c.list;
        }
    }
    EXPECT_TRUE(ListWinIniEntries(kWinIniRun + 1).empty());
}

TEST_F(WinIniLocations, AppendsAnItemOrClearsTheList) {
    struct Case {
        const char* before;  // nullptr: no such key
        const char* item;
        const char* after;
    } cases[] = {
        {nullptr, "C:\\Z.EXE", "C:\\Z.EXE"},
        {"", "C:\\Z.EXE", "C:\\Z.EXE"},
        {"C:\\X.EXE", "C:\\Z.EXE", "C:\\X.EXE;C:\\Z.EXE"},
        {"C:\\X.EXE", "", "C:\\X.EXE;"},
        {"C:\\X.EXE;C:\\Y.EXE", "intern_clear", ""},
        {"C:\\X.EXE", "Intern_Clear", "C:\\X.EXE;Intern_Clear"},  // only the exact text clears
    };
    for (const int kind : kWinIniKinds) {
        const char* other = WinIniKeyOf(kind == kWinIniLoad ? kWinIniRun : kWinIniLoad);
        SetRawWinIni(other, "C:\\OTHER.EXE");
        for (const Case& c : cases) {
            if (c.before) {
                SetRawWinIni(WinIniKeyOf(kind), c.before);
            } else {
                RegDeleteKeyValueA(HKEY_CURRENT_USER, kWinIniRegistryKey, WinIniKeyOf(kind));
            }
            EXPECT_TRUE(AppendWinIniEntry(kind, c.item));
            EXPECT_EQ(RawWinIni(WinIniKeyOf(kind)), c.after) << c.item;
        }
        EXPECT_EQ(RawWinIni(other), "C:\\OTHER.EXE") << "the other key is left alone";
    }
}

TEST_F(WinIniLocations, RemovesEveryItemOfExactlyThatText) {
    struct Case {
        const char* before;
        const char* item;
        const char* after;
    } cases[] = {
        {"C:\\X.EXE;C:\\Y.EXE;C:\\X.EXE", "C:\\X.EXE", "C:\\Y.EXE"},
        {"C:\\X.EXE;C:\\Y.EXE;C:\\X.EXE", "c:\\x.exe", "C:\\X.EXE;C:\\Y.EXE;C:\\X.EXE"},
        {";C:\\A.EXE;;C:\\B.EXE;", "C:\\B.EXE", "C:\\A.EXE;"},  // a leading empty item is lost, others stay
        {";C:\\A.EXE;;C:\\B.EXE", "C:\\Z.EXE", "C:\\A.EXE;;C:\\B.EXE"},
        {"C:\\A.EXE", "C:\\A.EXE", ""},
        // Leaving one item out never empties the rest, whatever the items say.
        {"C:\\A.EXE;intern_clear;C:\\B.EXE", "C:\\B.EXE", "C:\\A.EXE;intern_clear"},
    };
    for (const int kind : kWinIniKinds) {
        for (const Case& c : cases) {
            SetRawWinIni(WinIniKeyOf(kind), c.before);
            EXPECT_TRUE(RemoveWinIniEntry(kind, c.item));
            EXPECT_EQ(RawWinIni(WinIniKeyOf(kind)), c.after) << c.before << " - " << c.item;
        }
    }
}

TEST_F(WinIniLocations, ListsLongerThanTheFirstBufferAreReadAndKeptWhole) {
    std::string list;
    for (int i = 0; i < 300; ++i)
        list += (i ? ";" : "") + std::string("C:\\BMTEST\\P") + std::to_string(1000 + i) + ".EXE";
    ASSERT_GT(list.size(), 4000u);
    SetRawWinIni("load", list);
    const EntryList entries = ListWinIniEntries(kWinIniLoad);
    ASSERT_EQ(entries.size(), 300u);
    EXPECT_EQ(entries.back().command, "C:\\BMTEST\\P1299.EXE");

    EXPECT_TRUE(AppendWinIniEntry(kWinIniLoad, "C:\\Z.EXE"));
    EXPECT_EQ(RawWinIni("load"), list + ";C:\\Z.EXE");
    EXPECT_TRUE(RemoveWinIniEntry(kWinIniLoad, "C:\\BMTEST\\P1000.EXE"));
    EXPECT_EQ(RawWinIni("load"), list.substr(list.find(';') + 1) + ";C:\\Z.EXE");
}

TEST_F(WinIniLocations, AListThatWouldOutgrowTheLimitIsRefusedUnchanged) {
    const std::string list(kMaxWinIniListLength - 4, 'A');
    SetRawWinIni("run", list);
    EXPECT_EQ(AppendWinIniEntry(kWinIniRun, "C:\\Z.EXE").status, WriteStatus::Failed);
    EXPECT_EQ(RawWinIni("run"), list);
    EXPECT_TRUE(AppendWinIniEntry(kWinIniRun, "Z.E"));
    EXPECT_EQ(RawWinIni("run").size(), kMaxWinIniListLength);
    EXPECT_TRUE(AppendWinIniEntry(kWinIniRun, "intern_clear")) << "a full list can still be emptied";
    EXPECT_EQ(RawWinIni("run"), "");
}

TEST_F(WinIniLocations, ARefusedWriteIsReportedAsDeniedAndLosesNothing) {
    SetRawWinIni("load", "C:\\X.EXE;C:\\Y.EXE");
    SetRawWinIni("run", "C:\\R.EXE");
    SetWinIniWriteDenialForTests([](const std::string& key) { return key == "load"; });
    for (const bool append : {true, false}) {
        const WriteOutcome outcome =
            append ? AppendWinIniEntry(kWinIniLoad, "C:\\Z.EXE") : RemoveWinIniEntry(kWinIniLoad, "C:\\X.EXE");
        EXPECT_EQ(outcome.status, WriteStatus::AccessDenied) << append;
        EXPECT_EQ(RawWinIni("load"), "C:\\X.EXE;C:\\Y.EXE");
    }
    EXPECT_EQ(ListWinIniEntries(kWinIniLoad).size(), 2u) << "still listed";
    EXPECT_TRUE(AppendWinIniEntry(kWinIniRun, "C:\\S.EXE"));
    EXPECT_EQ(RawWinIni("run"), "C:\\R.EXE;C:\\S.EXE");
}

}  // namespace
}  // namespace entrytest
