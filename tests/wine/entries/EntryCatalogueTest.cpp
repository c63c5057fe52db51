// The catalogue over all fourteen locations of the prefix: order, the marker on
// the way out and, through the change routine, on the way in.
#include "LocationsFixture.h"
#include "entries/EntryCatalogue.h"
#include "entries/EntryChange.h"
#include "entries/LocationFamily.h"
#include "entries/StoredCommand.h"
#include "system/DataFolder.h"
#include "system/Files.h"
#include "system/RegistryValues.h"
#include "system/TextCase.h"
#include "system/TextRules.h"

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
    // Policy and Winlogon values are only listed (their own test seeds them).
    std::vector<int32_t> kinds;
    for (const int32_t kind : AllLocationKinds()) {
        if (IsChangedHereKind(kind)) kinds.push_back(kind);
    }
    for (auto kind = kinds.rbegin(); kind != kinds.rend(); ++kind) {
        if (FamilyOf(*kind)->OnlySwitched()) continue;  // nothing is added there
        for (const char* name : {"Beta", "Alpha"}) {
            StartupEntry entry =
                AnEntry(std::string(name) + std::to_string(*kind), "\"C:\\BMTEST\\GONE.EXE\" /k").Kind(*kind);
            ASSERT_TRUE(AddEntry(entry).ok()) << *kind;
        }
    }
    std::vector<int32_t> seeded;
    for (const int32_t kind : kinds) {
        if (!FamilyOf(kind)->OnlySwitched()) seeded.push_back(kind);
    }
    const EntryList all = CollectAllEntries();
    ASSERT_EQ(all.size(), 2 * seeded.size());
    std::vector<int32_t> order;
    for (const StartupEntry& entry : all) {
        if (order.empty() || order.back() != entry.kind) order.push_back(entry.kind);
        EXPECT_EQ(entry.active, 1);
    }
    EXPECT_EQ(order, seeded);
}

TEST_F(EntryCatalogue, EveryKindSurvivesSwitchingOffAndOnAgain) {
    for (const int32_t kind : AllLocationKinds()) {
        if (!IsChangedHereKind(kind)) continue;
        if (FamilyOf(kind)->OnlySwitched()) continue;  // nothing is added there
        const std::string name = "Tool" + std::to_string(kind);
        const std::string command = "\"C:\\bmtest\\gone\\tool.exe\" -q";
        ASSERT_TRUE(AddEntry(AnEntry(name, command).Kind(kind)).ok()) << kind;

        auto collectOne = [&]() {
            const EntryList found = OfKind(CollectAllEntries(), kind);
            EXPECT_EQ(found.size(), 1u) << kind;
            return found.empty() ? StartupEntry() : found[0];
        };
        const StartupEntry entry = collectOne();
        const std::string activeCommand = entry.command;
        EXPECT_EQ(entry.active, 1) << kind;

        StartupEntry switchedOff = entry;
        switchedOff.active = 0;
        ASSERT_TRUE(ReplaceEntry(entry, switchedOff).ok()) << kind;
        EXPECT_EQ(entry.active, 1) << "the caller's record stays as it was";
        EXPECT_TRUE(HasMarker(Stored(kind, entry.name))) << kind << ": " << Stored(kind, entry.name);
        const StartupEntry off = collectOne();
        EXPECT_EQ(off.active, 0) << kind;
        EXPECT_EQ(off.command, activeCommand) << kind;
        // A win.ini item's name is derived from the item as stored, marker included.
        if (!IsWinIniKind(kind)) {
            EXPECT_EQ(off.name, entry.name) << kind;
        }

        StartupEntry switchedOn = off;
        switchedOn.active = 1;
        ASSERT_TRUE(ReplaceEntry(off, switchedOn).ok()) << kind;
        EXPECT_FALSE(HasMarker(Stored(kind, off.name))) << kind;
        const StartupEntry on = collectOne();
        EXPECT_EQ(on.active, 1) << kind;
        EXPECT_EQ(on.command, activeCommand) << kind;

        ASSERT_TRUE(DeleteEntry(on).ok()) << kind;
        EXPECT_TRUE(OfKind(CollectAllEntries(), kind).empty()) << kind;
    }
}

TEST_F(EntryCatalogue, AMovedEntryLeavesOneLocationForTheOther) {
    ASSERT_TRUE(AddEntry(AnEntry("Mover", "C:\\bmtest\\gone\\mover.exe").Kind(kUserRun).Active(0)).ok());
    int32_t kind = kUserRun;
    const std::vector<int32_t> path = {kUserStartup, kWinIniRun, kMachineRunOnceEx, kCommonStartup, kUserRun};
    for (const int32_t next : path) {
        const StartupEntry current = OfKind(CollectAllEntries(), kind).at(0);
        StartupEntry moved = current;
        moved.kind = next;
        const ChangeResult result = ReplaceEntry(current, moved);
        ASSERT_TRUE(result.ok()) << next;
        EXPECT_EQ(result.location, LocationPath(next));
        const EntryList all = CollectAllEntries();
        ASSERT_EQ(all.size(), 1u) << next;
        EXPECT_EQ(all[0].kind, next);
        EXPECT_EQ(all[0].active, 0);
        // A link reads as its program, a blank and its arguments (none here);
        // the command keeps that blank from then on.
        EXPECT_EQ(Trim(all[0].command), "C:\\bmtest\\gone\\mover.exe");
        kind = next;
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
            on.active = 1;
            ASSERT_TRUE(ReplaceEntry(entry, on).ok());
            EXPECT_EQ(GetValue(HKEY_CURRENT_USER, KeyPathOf(kUserRun), "Lower").second, "C:\\bmtest\\gone\\a.exe");
        } else if (entry.name == "Named") {
            EXPECT_EQ(entry.active, 0) << "a marker in front of the name goes with the command's";
            EXPECT_EQ(entry.command, "C:\\bmtest\\gone\\n.exe");
        } else {
            EXPECT_EQ(entry.name, "Middle");
            EXPECT_EQ(entry.active, 1);
        }
    }
}

TEST_F(EntryCatalogue, AnInactiveCommandWithTheMarkerInsideStillGetsItInFront) {
    // Switched off means switched off: a marker's text inside the command does
    // not stand in for the one in front.
    const std::string command = "C:\\bmtest\\gone\\b.exe " + DeactivationMarker();
    ASSERT_TRUE(AddEntry(AnEntry("Middle", command).Kind(kMachineRun).Active(0)).ok());
    const EntryList all = CollectAllEntries();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].active, 0);
    EXPECT_EQ(all[0].command, command);
}

TEST_F(EntryCatalogue, RegistryEntriesComeBackByteForByteAfterASwitch) {
    MakeFolders("C:\\bmtest");
    ASSERT_TRUE(WriteBytes("C:\\bmtest\\run.exe", "MZ"));  // never started
    SetString(HKEY_CURRENT_USER, KeyPathOf(kUserRunOnce), "Plain", "C:\\bmtest\\run.exe /quiet");
    StartupEntry entry = CollectAllEntries().at(0);
    EXPECT_EQ(entry.command, "C:\\bmtest\\run.exe /quiet");
    StartupEntry off = entry;
    off.active = 0;
    ASSERT_TRUE(ReplaceEntry(entry, off).ok());
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, KeyPathOf(kUserRunOnce), "Plain").second,
              DeactivationMarker() + "C:\\bmtest\\run.exe /quiet");
    entry = CollectAllEntries().at(0);
    StartupEntry on = entry;
    on.active = 1;
    ASSERT_TRUE(ReplaceEntry(entry, on).ok());
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, KeyPathOf(kUserRunOnce), "Plain").second, "C:\\bmtest\\run.exe /quiet");
}

TEST_F(EntryCatalogue, AWinIniMarkerInAnotherCaseIsCollectedAndFoundForRemoval) {
    std::string upperMarker = UpperText(DeactivationMarker());
    SetRawWinIni("run", upperMarker + "C:\\BMTEST\\GONE.EXE;C:\\BMTEST\\KEEP.EXE");
    const StartupEntry entry = CollectAllEntries().at(0);
    EXPECT_EQ(entry.active, 0);
    EXPECT_EQ(entry.command, "C:\\BMTEST\\GONE.EXE");
    EXPECT_TRUE(DeleteEntry(entry).ok());
    EXPECT_EQ(RawWinIni("run"), "C:\\BMTEST\\KEEP.EXE");
}

TEST_F(EntryCatalogue, OneOfTwoEqualWinIniItemsGoesAtATime) {
    SetRawWinIni("load", "C:\\BMTEST\\TWICE.EXE;C:\\BMTEST\\KEEP.EXE;C:\\BMTEST\\TWICE.EXE");
    const EntryList all = CollectAllEntries();
    ASSERT_EQ(all.size(), 3u);
    ASSERT_TRUE(DeleteEntry(all[0]).ok());
    EXPECT_EQ(RawWinIni("load"), "C:\\BMTEST\\KEEP.EXE;C:\\BMTEST\\TWICE.EXE");
    ASSERT_TRUE(DeleteEntry(all[2]).ok());
    EXPECT_EQ(RawWinIni("load"), "C:\\BMTEST\\KEEP.EXE");
}

TEST_F(EntryCatalogue, TheEmptyEntryNamesNoLocation) {
    const StartupEntry empty;
    EXPECT_EQ(AddEntry(empty).reason, ChangeReason::NoLocation);
    EXPECT_EQ(DeleteEntry(empty).reason, ChangeReason::NoLocation);
    EXPECT_EQ(ReplaceEntry(empty, AnEntry("X", "C:\\x.exe")).reason, ChangeReason::NoLocation);
    EXPECT_TRUE(CollectAllEntries().empty());
}

TEST_F(EntryCatalogue, TheSameNameInTwoLocationsIsTwoRecords) {
    ASSERT_TRUE(AddEntry(AnEntry("X", "C:\\bmtest\\gone\\x.exe").Kind(kUserRun)).ok());
    ASSERT_TRUE(AddEntry(AnEntry("X", "C:\\bmtest\\gone\\x.exe").Kind(kUserStartup)).ok());
    const EntryList all = CollectAllEntries();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].kind, kUserStartup);
    EXPECT_EQ(all[1].kind, kUserRun);
    EXPECT_EQ(all[0].name, all[1].name);
}

}  // namespace
}  // namespace entrytest
