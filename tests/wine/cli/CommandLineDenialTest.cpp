// The command line's exit code for a location that refuses a change. Wine's
// registry ignores access rights, so the refusal comes from the registry's
// denial seam for the machine's keys; everything else is the real run.
#include <gtest/gtest.h>

#include "blocking/BlockList.h"
#include "cli/CommandLine.h"
#include "cli/CommandLineRun.h"
#include "entries/EntryCatalogue.h"
#include "entries/EntryChange.h"
#include "system/DataFolder.h"
#include "system/ProductNames.h"
#include "system/RegistryValues.h"
#include "wine/entries/LocationsFixture.h"

namespace {

using entrytest::AnEntry;

bool DenyMachineKeys(HKEY root, const std::string&) { return root == HKEY_LOCAL_MACHINE; }
// The user's Run key, where the logon check's own value stands.
bool DenyUserRunKey(HKEY root, const std::string& keyPath) {
    return root == HKEY_CURRENT_USER && keyPath == "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
}

class CommandLineDenial : public entrytest::LocationsTest {
protected:
    void SetUp() override {
        LocationsTest::SetUp();
        PrepareDataFolder(kBaseName, false);
        ClearBlockList();
    }
    void TearDown() override {
        SetRegistryWriteDenialForTests(nullptr);
        ClearBlockList();
        LocationsTest::TearDown();
    }
    static void ClearBlockList() {
        DeleteFileA((DataFolder(kBaseName) + kBlockListFileName).c_str());
        LoadBlockList();
        SetBlockCheckRun(false);
    }
    static StartupEntry Find(const std::string& name) {
        for (const StartupEntry& entry : CollectAllEntries()) {
            if (entry.name == name) return entry;
        }
        return StartupEntry{};
    }
};

TEST_F(CommandLineDenial, ARefusedLocationGivesAccessDeniedAndTheOthersAreStillChanged) {
    const std::string command = "C:\\bmtest\\shared.exe";
    struct Case {
        const char* action;
        int32_t machineKind;  // where the refused entry lives; 0 for none
        int expected;
    };
    // Blocking, then releasing, the command that the user's entry and (but for
    // the first case) the machine's start, with the machine's keys refusing.
    const Case cases[] = {
        {"/block", 0, cli::kExitDone},
        {"/release", 0, cli::kExitDone},
        {"/block", 21, cli::kExitAccessDenied},
        {"/release", 21, cli::kExitAccessDenied},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.action) + " " + std::to_string(c.machineKind));
        SetRegistryWriteDenialForTests(nullptr);
        for (const StartupEntry& entry : CollectAllEntries()) DeleteEntry(entry);
        ClearBlockList();
        ASSERT_TRUE(AddEntry(AnEntry("User", command)).ok());
        if (c.machineKind) {
            ASSERT_TRUE(AddEntry(AnEntry("Machine", command).Kind(c.machineKind)).ok());
        }
        const bool releasing = std::string(c.action) == "/release";
        // Releasing needs the command blocked first, while nothing refuses.
        if (releasing) {
            ASSERT_EQ(cli::RunCommandLine({"/block", command}), cli::kExitDone);
        }

        SetRegistryWriteDenialForTests(DenyMachineKeys);
        EXPECT_EQ(cli::RunCommandLine({c.action, command}), c.expected);
        SetRegistryWriteDenialForTests(nullptr);
        // The user's entry changed all the same; the machine's stayed as it was.
        EXPECT_EQ(Find("User").active, releasing ? 1 : 0);
        if (c.machineKind) {
            EXPECT_EQ(Find("Machine").active, releasing ? 0 : 1);
        }
        if (c.expected == cli::kExitDone) {
            EXPECT_EQ(IsBlocked(command), !releasing);
        }
    }
}

// The registry refuses the logon check's value: the entry is blocked or
// released all the same, and the exit code says something was not written.
TEST_F(CommandLineDenial, ARefusedLogonCheckValueGivesNotWrittenAndTheEntryStillChanges) {
    const std::string command = "C:\\bmtest\\machine.exe";
    ASSERT_TRUE(AddEntry(AnEntry("Machine", command).Kind(21)).ok());
    for (const char* action : {"/block", "/release"}) {
        SCOPED_TRACE(action);
        const bool releasing = std::string(action) == "/release";
        SetRegistryWriteDenialForTests(DenyUserRunKey);
        EXPECT_EQ(cli::RunCommandLine({action, command}), cli::kExitNotWritten);
        SetRegistryWriteDenialForTests(nullptr);
        EXPECT_EQ(Find("Machine").active, releasing ? 1 : 0);
        EXPECT_EQ(IsBlocked(command), !releasing);
    }
}

}  // namespace
