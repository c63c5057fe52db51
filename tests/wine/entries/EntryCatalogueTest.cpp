// The catalogue over all fourteen locations of the prefix: order, the marker on
// the way out and in, and the consequences its callers rely on.
#include "LocationsFixture.h"
#include "entries/EntryCatalogue.h"
#include "entries/WinIniLocations.h"
#include "entries/DeactivationMarker.h"
#include "system/AnsiText.h"
#include "system/DataFolder.h"
#include "system/Files.h"
#include "system/RegistryValues.h"

namespace entrytest {
namespace {

using EntryCatalogue = LocationsTest;

// The collected records of one kind.
EntryList OfKind(const EntryList& all, int kind) {
    EntryList some;
    for (const StartupEntry& entry : all) {
        if (entry.kind == kind) some.push_back(entry);
    }
    return some;
}

// What the location holds for a test entry, as stored.
std::string Stored(int kind, const std::string& name) {
    if (IsRegistryKind(kind)) return GetValue(RootOf(kind), KeyPathOf(kind), name).second;
    if (IsWinIniKind(kind)) return RawWinIni(WinIniKeyOf(kind));
    const LinkFields link = ReadPlatformLink(FolderOf(kind) + name + ".lnk");
    return link.path + " " + link.arguments;
}

TEST(EntryMarker, NamesTheCompanionBesideTheProgram) {
    // The test program's name is as long as the product's, so the marker names
    // the companion that the build puts beside it.
    EXPECT_EQ(DeactivationMarker(), ProgramFolder() + "inactive.exe ");
    EXPECT_TRUE(FileExists(ProgramFolder() + "inactive.exe"));
}

TEST_F(EntryCatalogue, CollectsAllFourteenLocationsInTheirFixedOrder) {
    // Seeded in reverse, so that no order of seeding can pass for the right one.
    const std::vector<int32_t>& kinds = AllLocationKinds();
    for (auto kind = kinds.rbegin(); kind != kinds.rend(); ++kind) {
        for (const char* name : {"Beta", "Alpha"}) {
            StartupEntry entry = Entry(std::string(name) + std::to_string(*kind), "C:\\BMTEST\\GONE.EXE /k", 1, *kind);
            ASSERT_TRUE(WriteEntry(entry)) << *kind;
        }
    }
    const EntryList all = CollectAllEntries();
    ASSERT_EQ(all.size(), 2 * kinds.size());
    std::vector<int32_t> order;
    for (const StartupEntry& entry : all) {
        if (order.empty() || order.back() != entry.kind) order.push_back(entry.kind);
        EXPECT_EQ(entry.active, 1);
    }
    EXPECT_EQ(order, kinds);
}

TEST_F(EntryCatalogue, EveryKindSurvivesSwitchingOffAndOnAgain) {
    for (const int32_t kind : AllLocationKinds()) {
        const std::string name = "Tool" + std::to_string(kind);
        const std::string command = "\"C:\\bmtest\\gone\\tool.exe\" -q";
        StartupEntry added = Entry(name, command, 1, kind);
        ASSERT_TRUE(WriteEntry(added)) << kind;

        auto collectOne = [&]() {
            const EntryList found = OfKind(CollectAllEntries(), kind);
            EXPECT_EQ(found.size(), 1u) << kind;
            return found.empty() ? StartupEntry() : found[0];
        };
        StartupEntry entry = collectOne();
        const std::string activeCommand = entry.command;
        EXPECT_EQ(entry.active, 1) << kind;

        // Off: remove, flip, write.
        ASSERT_TRUE(RemoveEntry(entry)) << kind;
        entry.active = 0;
        ASSERT_TRUE(WriteEntry(entry)) << kind;
        EXPECT_TRUE(HasMarker(Stored(kind, entry.name))) << kind << ": " << Stored(kind, entry.name);
        StartupEntry off = collectOne();
        EXPECT_EQ(off.active, 0) << kind;
        EXPECT_EQ(off.command, activeCommand) << kind;
        // A win.ini item's name is derived from the item as stored, marker included.
        if (!IsWinIniKind(kind)) {
            EXPECT_EQ(off.name, entry.name) << kind;
        }

        // On again.
        ASSERT_TRUE(RemoveEntry(off)) << kind;
        off.active = 1;
        ASSERT_TRUE(WriteEntry(off)) << kind;
        EXPECT_FALSE(HasMarker(Stored(kind, off.name))) << kind;
        const StartupEntry on = collectOne();
        EXPECT_EQ(on.active, 1) << kind;
        EXPECT_EQ(on.command, activeCommand) << kind;

        // And gone.
        StartupEntry last = on;
        ASSERT_TRUE(RemoveEntry(last)) << kind;
        EXPECT_TRUE(OfKind(CollectAllEntries(), kind).empty()) << kind;
    }
}

TEST_F(EntryCatalogue, AMovedEntryLeavesOneLocationForTheOther) {
    StartupEntry entry = Entry("Mover", "C:\\bmtest\\gone\\mover.exe", 0, kUserRun);
    ASSERT_TRUE(WriteEntry(entry));
    const std::vector<int32_t> path = {kUserStartup, kWinIniRun, kMachineRunOnceEx, kCommonStartup, kUserRun};
    for (const int32_t next : path) {
        StartupEntry current = OfKind(CollectAllEntries(), entry.kind).at(0);
        ASSERT_TRUE(RemoveEntry(current));
        current.kind = next;
        ASSERT_TRUE(WriteEntry(current));
        const EntryList all = CollectAllEntries();
        ASSERT_EQ(all.size(), 1u) << next;
        EXPECT_EQ(all[0].kind, next);
        EXPECT_EQ(all[0].active, 0);
        EXPECT_EQ(all[0].command.find("inactive.exe"), std::string::npos) << all[0].command;
        entry = all[0];
    }
}

TEST_F(EntryCatalogue, TheMarkerIsFoundInAnyCaseAndOnlyAtTheStart) {
    const std::string marker = DeactivationMarker();
    std::string lowerMarker = marker;
    CharLowerBuffA(lowerMarker.data(), static_cast<DWORD>(lowerMarker.size()));
    SetString(HKEY_CURRENT_USER, KeyPathOf(kUserRun), "Lower", lowerMarker + "C:\\bmtest\\gone\\a.exe");
    SetString(HKEY_CURRENT_USER, KeyPathOf(kUserRun), marker + "Named", marker + "C:\\bmtest\\gone\\n.exe");
    SetString(HKEY_CURRENT_USER, KeyPathOf(kUserRun), "Middle", "C:\\bmtest\\gone\\b.exe " + marker);

    const EntryList all = CollectAllEntries();
    ASSERT_EQ(all.size(), 3u);
    for (const StartupEntry& entry : all) {
        if (entry.name == "Lower") {
            EXPECT_EQ(entry.active, 0);
            EXPECT_EQ(entry.command, "C:\\bmtest\\gone\\a.exe");
            StartupEntry on = entry;
            ASSERT_TRUE(RemoveEntry(on));
            on.active = 1;
            ASSERT_TRUE(WriteEntry(on));
            EXPECT_EQ(GetValue(HKEY_CURRENT_USER, KeyPathOf(kUserRun), "Lower").second, "\"C:\\bmtest\\gone\\a.exe\"");
        } else if (entry.name == "Named") {
            EXPECT_EQ(entry.active, 0) << "a marker in front of the name goes with the command's";
            EXPECT_EQ(entry.command, "C:\\bmtest\\gone\\n.exe");
        } else {
            EXPECT_EQ(entry.name, "Middle");
            EXPECT_EQ(entry.active, 1);
        }
    }
}

TEST_F(EntryCatalogue, AnInactiveCommandWithTheMarkerInsideGetsNoSecondOne) {
    const std::string command = "C:\\bmtest\\gone\\b.exe " + DeactivationMarker();
    StartupEntry entry = Entry("Middle", command, 0, kMachineRun);
    ASSERT_TRUE(WriteEntry(entry));
    EXPECT_EQ(entry.command, command);
    const EntryList all = CollectAllEntries();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].active, 1) << "without the marker in front it counts as active";
}

TEST_F(EntryCatalogue, RegistryEntriesComeBackQuotedAfterAWrite) {
    MakeFolders("C:\\bmtest");
    ASSERT_TRUE(WriteBytes("C:\\bmtest\\run.exe", "MZ"));  // never started
    SetString(HKEY_CURRENT_USER, KeyPathOf(kUserRunOnce), "Plain", "C:\\bmtest\\run.exe /quiet");
    StartupEntry entry = CollectAllEntries().at(0);
    EXPECT_EQ(entry.command, "C:\\bmtest\\run.exe /quiet");
    ASSERT_TRUE(RemoveEntry(entry));
    entry.active = 0;
    ASSERT_TRUE(WriteEntry(entry));
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, KeyPathOf(kUserRunOnce), "Plain").second,
              DeactivationMarker() + "C:\\bmtest\\run.exe /quiet");
    entry = CollectAllEntries().at(0);
    ASSERT_TRUE(RemoveEntry(entry));
    entry.active = 1;
    ASSERT_TRUE(WriteEntry(entry));
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, KeyPathOf(kUserRunOnce), "Plain").second,
              "\"C:\\bmtest\\run.exe\" /quiet");
}

TEST_F(EntryCatalogue, RemovingAnInactiveRecordAgainAddsTheMarkerAgain) {
    const std::string marker = DeactivationMarker();
    StartupEntry entry = Entry("", "C:\\BMTEST\\GONE.EXE", 0, kWinIniLoad);
    ASSERT_TRUE(WriteEntry(entry));
    SetRawWinIni("load", RawWinIni("load") + ";C:\\BMTEST\\KEEP.EXE");
    StartupEntry collected = CollectAllEntries().at(0);
    ASSERT_TRUE(RemoveEntry(collected));
    EXPECT_EQ(collected.command, marker + "C:\\BMTEST\\GONE.EXE");
    EXPECT_EQ(RawWinIni("load"), "C:\\BMTEST\\KEEP.EXE");
    SetRawWinIni("load", marker + "C:\\BMTEST\\GONE.EXE;C:\\BMTEST\\KEEP.EXE");
    ASSERT_TRUE(RemoveEntry(collected));
    EXPECT_EQ(collected.command, marker + marker + "C:\\BMTEST\\GONE.EXE");
    EXPECT_EQ(RawWinIni("load"), marker + "C:\\BMTEST\\GONE.EXE;C:\\BMTEST\\KEEP.EXE")
        << "the second removal finds nothing";
}

TEST_F(EntryCatalogue, AWinIniMarkerInAnotherCaseIsCollectedButNotFoundForRemoval) {
    std::string upperMarker = AnsiUpper(DeactivationMarker());
    SetRawWinIni("run", upperMarker + "C:\\BMTEST\\GONE.EXE");
    StartupEntry entry = CollectAllEntries().at(0);
    EXPECT_EQ(entry.active, 0);
    EXPECT_EQ(entry.command, "C:\\BMTEST\\GONE.EXE");
    EXPECT_TRUE(RemoveEntry(entry));
    EXPECT_EQ(RawWinIni("run"), upperMarker + "C:\\BMTEST\\GONE.EXE");
}

TEST_F(EntryCatalogue, TheEmptyEntryChangesNoLocation) {
    StartupEntry empty;
    EXPECT_FALSE(WriteEntry(empty));
    EXPECT_TRUE(CollectAllEntries().empty());
    EXPECT_EQ(empty.command, DeactivationMarker()) << "written inactive: the marker went in front";
    StartupEntry removed;
    EXPECT_FALSE(RemoveEntry(removed));
    EXPECT_EQ(removed.command, DeactivationMarker());
}

TEST_F(EntryCatalogue, TheSameNameInTwoLocationsIsTwoRecords) {
    StartupEntry run = Entry("X", "C:\\bmtest\\gone\\x.exe", 1, kUserRun);
    StartupEntry link = Entry("X", "C:\\bmtest\\gone\\x.exe", 1, kUserStartup);
    ASSERT_TRUE(WriteEntry(run));
    ASSERT_TRUE(WriteEntry(link));
    const EntryList all = CollectAllEntries();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].kind, kUserStartup);
    EXPECT_EQ(all[1].kind, kUserRun);
    EXPECT_EQ(all[0].name, all[1].name);
}

TEST_F(EntryCatalogue, RefusedWritesReportOrRaiseAndLoseNothing) {
    StartupEntry machine = Entry("Tool", "C:\\bmtest\\gone\\tool.exe", 1, kMachineRun);
    ASSERT_TRUE(WriteEntry(machine));
    StartupEntry item = Entry("", "C:\\BMTEST\\GONE.EXE", 1, kWinIniLoad);
    ASSERT_TRUE(WriteEntry(item));
    const std::string storedMachine = GetValue(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRun), "Tool").second;
    SetRegistryWriteDenialForTests([](HKEY root, const std::string&) { return root == HKEY_LOCAL_MACHINE; });
    SetWinIniWriteDenialForTests([](const std::string&) { return true; });

    StartupEntry off = OfKind(CollectAllEntries(), kMachineRun).at(0);
    EXPECT_FALSE(RemoveEntry(off));
    off.active = 0;
    EXPECT_FALSE(WriteEntry(off));
    EXPECT_EQ(GetValue(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRun), "Tool").second, storedMachine);

    StartupEntry iniEntry = OfKind(CollectAllEntries(), kWinIniLoad).at(0);
    const std::string expected = "nach " + WindowsFolder() + "\\Win.ini kann nicht geschrieben werden";
    try {
        RemoveEntry(iniEntry);
        ADD_FAILURE() << "no error";
    } catch (const EAppError& error) {
        EXPECT_EQ(std::string(error.what()), expected);
    }
    StartupEntry fresh = Entry("", "C:\\BMTEST\\NEW.EXE", 1, kWinIniRun);
    EXPECT_THROW(WriteEntry(fresh), EWinIniWriteError);
    EXPECT_EQ(RawWinIni("load"), "C:\\BMTEST\\GONE.EXE");

    const EntryList all = CollectAllEntries();
    ASSERT_EQ(all.size(), 2u) << "everything is still listed";
    EXPECT_EQ(all[0].kind, kMachineRun);
    EXPECT_EQ(all[0].active, 1);
    EXPECT_EQ(all[1].kind, kWinIniLoad);
}

}  // namespace
}  // namespace entrytest
