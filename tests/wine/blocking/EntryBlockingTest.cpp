// Blocking and releasing an entry without a window: the block list file, the
// logon check's autostart value and the entry in the registry of the test's
// own prefix after each step, including the steps that fail halfway.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "blocking/BlockList.h"
#include "blocking/BlockMatch.h"
#include "blocking/EntryBlocking.h"
#include "entries/EntryCatalogue.h"
#include "entries/StoredCommand.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/ProductNames.h"
#include "system/RegistryValues.h"

using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class EntryBlockingTest : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareDataFolder(kBaseName, false);
        listFile_ = DataFile(kBaseName, kBlockListFileName);
        Clean();
        LoadBlockList();
    }
    void TearDown() override { Clean(); }
    void Clean() {
        DeleteFileA(listFile_.c_str());
        RemoveDirectoryA(listFile_.c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, kRunKey);
    }

    static void Seed(const std::string& name, const std::string& stored) {
        ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRunKey, name, stored));
    }
    static std::string Stored(const std::string& name) { return ReadRegString(HKEY_CURRENT_USER, kRunKey, name); }
    static bool LogonCheckRuns() {
        for (const auto& value : ReadRegStringValues(HKEY_CURRENT_USER, kRunKey)) {
            if (value.first == kBlockCheckValueName) return true;
        }
        return false;
    }
    // The entry as the catalogue lists it now.
    static StartupEntry Listed(const std::string& name) {
        for (const StartupEntry& entry : CollectAllEntries()) {
            if (entry.kind == kUserRun && entry.name == name) return entry;
        }
        ADD_FAILURE() << name << " is not listed";
        return StartupEntry();
    }

    std::string listFile_;
};

TEST_F(EntryBlockingTest, BlockSwitchesOffAndListsReleaseUndoesBoth) {
    Seed("Nag", "C:\\nag.exe /tray");
    const BlockingResult blocked = BlockEntry(Listed("Nag"));
    EXPECT_TRUE(blocked.ok());
    EXPECT_TRUE(blocked.listSaved);
    EXPECT_TRUE(blocked.entrySwitched);
    EXPECT_EQ(ReadFileBytes(listFile_), "C:\\nag.exe /tray\r\n");
    EXPECT_TRUE(LogonCheckRuns());
    EXPECT_EQ(Stored("Nag"), DeactivationMarker() + "C:\\nag.exe /tray");

    const BlockingResult released = ReleaseEntry(Listed("Nag"));
    EXPECT_TRUE(released.ok());
    EXPECT_TRUE(released.entrySwitched);
    EXPECT_EQ(ReadFileBytes(listFile_), "");
    EXPECT_FALSE(LogonCheckRuns());
    EXPECT_EQ(Stored("Nag"), "C:\\nag.exe /tray");
}

TEST_F(EntryBlockingTest, AnEntrySwitchedAlreadyIsOnlyListedOrUnlisted) {
    Seed("Off", DeactivationMarker() + "C:\\off.exe");
    const BlockingResult blocked = BlockEntry(Listed("Off"));
    EXPECT_TRUE(blocked.ok());
    EXPECT_FALSE(blocked.entrySwitched);
    EXPECT_TRUE(IsBlocked("C:\\off.exe"));
    EXPECT_EQ(Stored("Off"), DeactivationMarker() + "C:\\off.exe");

    // Blocked by hand while the entry is on: releasing leaves the entry as it is.
    Seed("On", "C:\\on.exe");
    Block("C:\\on.exe");
    const BlockingResult released = ReleaseEntry(Listed("On"));
    EXPECT_TRUE(released.ok());
    EXPECT_FALSE(released.entrySwitched);
    EXPECT_EQ(BlockListLines(), std::vector<std::string>{"C:\\off.exe"});
    EXPECT_EQ(Stored("On"), "C:\\on.exe");
}

TEST_F(EntryBlockingTest, WhatMayNotOrCannotGoOnTheListChangesNothing) {
    const struct {
        const char* name;
        std::string command;
        BlockRefusal refusal;
    } cases[] = {
        {"Empty", "", BlockRefusal::EmptyCommand},
        {"Copy", "\"C:\\Apps\\Bootmarshal.exe\" /blocklist", BlockRefusal::OwnBlockCheck},
        {"TwoLines", "harmless.exe\rC:\\Windows\\explorer.exe", BlockRefusal::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Seed(c.name, c.command);
        const BlockingResult result = BlockEntry(Listed(c.name));
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(result.refusal, c.refusal);
        EXPECT_FALSE(result.listChanged);
        EXPECT_FALSE(result.entrySwitched);
        EXPECT_EQ(Stored(c.name), c.command);
        EXPECT_TRUE(BlockListLines().empty());
        EXPECT_FALSE(LogonCheckRuns());
    }
}

TEST_F(EntryBlockingTest, AnEntryThatCannotBeSwitchedOffComesOffTheListAgain) {
    Seed("Moving", "C:\\old.exe");
    const StartupEntry listed = Listed("Moving");
    Seed("Moving", "C:\\new.exe");  // another program changed it after the listing
    const BlockingResult result = BlockEntry(listed);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.listChanged);
    EXPECT_FALSE(result.entrySwitched);
    EXPECT_EQ(result.entryChange.reason, ChangeReason::ChangedSinceListing);
    EXPECT_FALSE(IsBlocked("C:\\old.exe"));
    EXPECT_EQ(ReadFileBytes(listFile_), "");
    EXPECT_FALSE(LogonCheckRuns());
    EXPECT_EQ(Stored("Moving"), "C:\\new.exe");
}

TEST_F(EntryBlockingTest, AReleasedEntryThatCannotBeSwitchedOnStaysOffTheList) {
    Seed("Nag", "C:\\nag.exe");
    ASSERT_TRUE(BlockEntry(Listed("Nag")).ok());
    const StartupEntry listed = Listed("Nag");
    DeleteRegValue(HKEY_CURRENT_USER, kRunKey, "Nag");
    const BlockingResult result = ReleaseEntry(listed);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.listChanged);
    EXPECT_EQ(result.entryChange.reason, ChangeReason::ChangedSinceListing);
    EXPECT_TRUE(BlockListLines().empty());
    EXPECT_FALSE(LogonCheckRuns());
}

TEST_F(EntryBlockingTest, AnUnwritableListFileIsToldAndTheEntryStillFollowsTheList) {
    ASSERT_TRUE(CreateDirectoryA(listFile_.c_str(), nullptr)) << "a folder in the file's place cannot be written";
    Seed("Nag", "C:\\nag.exe");
    const BlockingResult blocked = BlockEntry(Listed("Nag"));
    EXPECT_TRUE(blocked.ok());
    EXPECT_FALSE(blocked.listSaved);
    EXPECT_EQ(blocked.listFile, listFile_);
    EXPECT_TRUE(IsBlocked("C:\\nag.exe"));
    EXPECT_TRUE(LogonCheckRuns());
    EXPECT_EQ(Stored("Nag"), DeactivationMarker() + "C:\\nag.exe");

    const BlockingResult released = ReleaseEntry(Listed("Nag"));
    EXPECT_TRUE(released.ok());
    EXPECT_FALSE(released.listSaved);
    EXPECT_FALSE(LogonCheckRuns());
    EXPECT_EQ(Stored("Nag"), "C:\\nag.exe");
}

TEST_F(EntryBlockingTest, ALineIsReleasedByItsPositionAndSwitchesOnOnlyTheEntryOfItsCommand) {
    ASSERT_TRUE(WriteFileBytes(listFile_, " \"C:\\nag.exe\" \r\nother.exe\r\n"));
    LoadBlockList();
    Seed("Nag", DeactivationMarker() + "C:\\nag.exe");
    const StartupEntry nag = Listed("Nag");

    const BlockingResult outside = ReleaseBlockListLine(2, nag);
    EXPECT_FALSE(outside.listChanged);
    EXPECT_EQ(BlockListLines().size(), 2u);

    const BlockingResult other = ReleaseBlockListLine(1, nag);
    EXPECT_TRUE(other.ok());
    EXPECT_FALSE(other.entrySwitched);
    EXPECT_EQ(Stored("Nag"), DeactivationMarker() + "C:\\nag.exe");

    // Blocked while it was on (quoted), typed with blanks: still the entry's command.
    const BlockingResult own = ReleaseBlockListLine(0, nag);
    EXPECT_TRUE(own.ok());
    EXPECT_TRUE(own.entrySwitched);
    EXPECT_EQ(Stored("Nag"), "C:\\nag.exe");
    EXPECT_EQ(ReadFileBytes(listFile_), "");
    EXPECT_FALSE(LogonCheckRuns());
}

// The machine's keys of 32-bit programs are kept by the logon check like any
// other location; a release once took the line off and left their entry off.
TEST_F(EntryBlockingTest, ALineReleasedSwitchesOnItsEntryInTheMachines32BitKeys) {
    const struct {
        int32_t kind;
        const char* key;
    } keys[] = {
        {kMachineRun32, "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run"},
        {kMachineRunOnce32, "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
        {kMachineRunOnceEx32, "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx"},
    };
    for (const auto& place : keys) {
        SCOPED_TRACE(place.kind);
        ASSERT_TRUE(WriteFileBytes(listFile_, "C:\\nag32.exe -q\r\n"));
        LoadBlockList();
        ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, place.key, "Nag32", DeactivationMarker() + "C:\\nag32.exe -q"));
        StartupEntry listed;
        for (const StartupEntry& entry : CollectAllEntries()) {
            if (entry.kind == place.kind && entry.name == "Nag32") listed = entry;
        }
        ASSERT_EQ(listed.kind, place.kind) << "listed";
        ASSERT_EQ(listed.active, 0);

        const BlockingResult released = ReleaseBlockListLine(0, listed);
        EXPECT_TRUE(released.ok());
        EXPECT_TRUE(released.entrySwitched);
        EXPECT_TRUE(BlockListLines().empty());
        const std::string stored = ReadRegString(HKEY_LOCAL_MACHINE, place.key, "Nag32");
        EXPECT_EQ(BlockMatchForm(stored), "C:\\nag32.exe -q") << stored;
        DeleteRegValue(HKEY_LOCAL_MACHINE, place.key, "Nag32");
    }
}

TEST_F(EntryBlockingTest, AReleasedLineStaysOffTheListWhenItsEntryCannotBeSwitchedOn) {
    Block("C:\\nag.exe");
    Seed("Nag", DeactivationMarker() + "C:\\nag.exe");
    const StartupEntry nag = Listed("Nag");
    DeleteRegValue(HKEY_CURRENT_USER, kRunKey, "Nag");
    const BlockingResult result = ReleaseBlockListLine(0, nag);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.listChanged);
    EXPECT_FALSE(result.entrySwitched);
    EXPECT_EQ(result.entryChange.reason, ChangeReason::ChangedSinceListing);
    EXPECT_TRUE(BlockListLines().empty());
}

}  // namespace
