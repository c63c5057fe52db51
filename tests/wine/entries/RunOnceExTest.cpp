// RunOnceEx as Windows runs it, seeded in the prefix's registry as a setup
// program writes it: the values of the numbered subkeys are the entries; the
// key's Title and Flags and a subkey's caption never are. They are switched,
// deleted and restored in their subkeys like any other registry entry.
#include <algorithm>

#include "LocationsFixture.h"
#include "backup/EntryRestore.h"
#include "entries/EntryCatalogue.h"
#include "entries/EntryChange.h"
#include "entries/StoredCommand.h"

namespace entrytest {
namespace {

using RunOnceEx = LocationsTest;
using Pairs = std::vector<std::pair<std::string, std::string>>;

void SeedAsSetupWritesIt(int32_t kind) {
    const HKEY root = RootOf(kind);
    const std::string key = KeyPathOf(kind);
    SetString(root, key, "Title", "My");
    const DWORD flags = 0x20;
    SetValue(root, key, "Flags", REG_DWORD, &flags, sizeof flags);
    SetString(root, key + "\\0001", "", "First section");
    SetString(root, key + "\\0001", "1", "C:\\step1.exe");
    SetString(root, key + "\\0002", "1", "shell32.dll|Control_RunDLL|desk.cpl");
    SetString(root, key + "\\0002", "Title", "C:\\step2.exe");  // only the key's own Title is no entry
}

StartupEntry Find(int32_t kind, const std::string& name) {
    for (const StartupEntry& entry : CollectAllEntries()) {
        if (entry.kind == kind && entry.name == name) return entry;
    }
    ADD_FAILURE() << name << " not listed in " << kind;
    return StartupEntry();
}

TEST_F(RunOnceEx, TheSubkeysValuesAreTheEntriesAndTitleAndFlagsNever) {
    for (const int32_t kind : {kUserRunOnceEx, kMachineRunOnceEx, kMachineRunOnceEx32}) {
        SeedAsSetupWritesIt(kind);
        EXPECT_EQ(NamesAndCommands(CollectAllEntries(), kind),
                  (Pairs{{"0001\\1", "C:\\step1.exe"},
                         {"0002\\1", "shell32.dll|Control_RunDLL|desk.cpl"},
                         {"0002\\Title", "C:\\step2.exe"}}))
            << kind;
    }
}

TEST_F(RunOnceEx, AStepIsSwitchedOffAndOnAndDeletedInItsSubkey) {
    SeedAsSetupWritesIt(kUserRunOnceEx);
    const std::string section = KeyPathOf(kUserRunOnceEx) + "\\0001";
    const StartupEntry listed = Find(kUserRunOnceEx, "0001\\1");

    StartupEntry off = listed;
    off.active = 0;
    ASSERT_TRUE(ReplaceEntry(listed, off).ok());
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, section, "1").second, DeactivationMarker() + "C:\\step1.exe");
    const StartupEntry shownOff = Find(kUserRunOnceEx, "0001\\1");
    EXPECT_EQ(shownOff.active, 0);
    EXPECT_EQ(shownOff.command, "C:\\step1.exe");

    ASSERT_TRUE(ReplaceEntry(shownOff, listed).ok());
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, section, "1").second, "C:\\step1.exe");

    ASSERT_TRUE(DeleteEntry(Find(kUserRunOnceEx, "0001\\1")).ok());
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, section, "1").first, 0u);
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, section, "").second, "First section");
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, KeyPathOf(kUserRunOnceEx), "Title").second, "My");
}

TEST_F(RunOnceEx, ARecordedStepGoesBackIntoItsSubkeyAndOldFlatTitleAndFlagsStayUnlisted) {
    SeedAsSetupWritesIt(kMachineRunOnceEx);
    const HKEY root = HKEY_LOCAL_MACHINE;
    const std::string key = KeyPathOf(kMachineRunOnceEx);
    StartupEntry recorded = Find(kMachineRunOnceEx, "0002\\1");
    recorded.active = 0;
    recorded.offBy = SwitchedOffBy::Nobody;
    ASSERT_TRUE(DeleteEntry(Find(kMachineRunOnceEx, "0002\\1")).ok());

    ASSERT_TRUE(RestoreEntry(recorded, CollectAllEntries()).ok());
    EXPECT_EQ(GetValue(root, key + "\\0002", "1").second, DeactivationMarker() + "shell32.dll|Control_RunDLL|desk.cpl");

    // An older snapshot recorded the key's own values as flat entries.
    RegDeleteTreeA(root, key.c_str());
    for (const char* name : {"Title", "Flags"}) {
        ASSERT_TRUE(RestoreEntry(AnEntry(name, "My").Kind(kMachineRunOnceEx), CollectAllEntries()).ok()) << name;
        EXPECT_EQ(GetValue(root, key, name).second, "My") << name;
    }
    EXPECT_TRUE(NamesAndCommands(CollectAllEntries(), kMachineRunOnceEx).empty());
}

}  // namespace
}  // namespace entrytest
