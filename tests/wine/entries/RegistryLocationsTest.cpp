// The ten Run-family keys against the prefix's real registry.
#include "LocationsFixture.h"
#include "entries/RegistryLocations.h"
#include "system/RegistryValues.h"

namespace entrytest {
namespace {

const int kRegistryKinds[] = {11, 12, 13, 14, 15, 21, 22, 23, 24, 25};

using RegistryLocations = LocationsTest;

TEST_F(RegistryLocations, ListsEveryValueOfEveryKeyAsStored) {
    for (const int kind : kRegistryKinds) {
        const HKEY root = RootOf(kind);
        const std::string key = KeyPathOf(kind);
        SetString(root, key, "Plain", "\"C:\\bmtest\\missing.exe\" /x");
        SetString(root, key, "Expand", "%SystemRoot%\\bmtest-missing.exe", REG_EXPAND_SZ);
        const DWORD flags = 0x20;
        SetValue(root, key, "Flags", REG_DWORD, &flags, sizeof flags);
        SetString(root, key, "", "C:\\bmtest\\default.exe");            // the unnamed default value
        SetString(root, key + "\\0001", "Sub", "C:\\bmtest\\sub.exe");  // subkeys are no entries

        const EntryList entries = ListRegistryEntries(kind);
        std::vector<std::pair<std::string, std::string>> expected = {
            {"", "C:\\bmtest\\default.exe"},
            {"Expand", "%SystemRoot%\\bmtest-missing.exe"},
            {"Flags", ""},
            {"Plain", "\"C:\\bmtest\\missing.exe\" /x"},
        };
        // Except in RunOnceEx, where Windows runs the subkeys' values and Flags
        // only describes the run.
        const bool runOnceEx = kind == kUserRunOnceEx || kind == kMachineRunOnceEx || kind == kMachineRunOnceEx32;
        if (runOnceEx) {
            expected.erase(expected.begin() + 2);
            expected.insert(expected.begin() + 1, {"0001\\Sub", "C:\\bmtest\\sub.exe"});
        }
        EXPECT_EQ(NamesAndCommands(entries, kind), expected) << kind;
        ASSERT_EQ(entries.size(), expected.size()) << kind;
        for (const StartupEntry& entry : entries) {
            EXPECT_EQ(entry.kind, kind);
            EXPECT_EQ(entry.active, 1);
        }
    }
}

TEST_F(RegistryLocations, ListingAMissingKeyCreatesNothing) {
    for (const int kind : kRegistryKinds) {
        ASSERT_FALSE(KeyExists(RootOf(kind), KeyPathOf(kind)));
        EXPECT_TRUE(ListRegistryEntries(kind).empty());
        EXPECT_FALSE(KeyExists(RootOf(kind), KeyPathOf(kind))) << kind;
    }
    EXPECT_TRUE(ListRegistryEntries(0).empty());
    EXPECT_TRUE(ListRegistryEntries(31).empty());
}

TEST_F(RegistryLocations, WriteReplacesAValueOfAnyTypeAndCreatesTheKey) {
    for (const int kind : kRegistryKinds) {
        const HKEY root = RootOf(kind);
        const std::string key = KeyPathOf(kind);
        EXPECT_TRUE(WriteRegistryEntry(kind, "New", "C:\\bmtest\\new.exe")) << kind;
        EXPECT_EQ(GetValue(root, key, "New"), std::make_pair(DWORD(REG_SZ), std::string("C:\\bmtest\\new.exe")));

        const DWORD number = 7;
        SetValue(root, key, "Number", REG_DWORD, &number, sizeof number);
        SetString(root, key, "Expand", "%TEMP%\\x.exe", REG_EXPAND_SZ);
        const size_t before = ValueCount(root, key);
        EXPECT_TRUE(WriteRegistryEntry(kind, "Number", "C:\\bmtest\\n.exe"));
        EXPECT_TRUE(WriteRegistryEntry(kind, "Expand", "%TEMP%\\x.exe"));
        EXPECT_EQ(ValueCount(root, key), before);
        EXPECT_EQ(GetValue(root, key, "Number"), std::make_pair(DWORD(REG_SZ), std::string("C:\\bmtest\\n.exe")));
        EXPECT_EQ(GetValue(root, key, "Expand"), std::make_pair(DWORD(REG_SZ), std::string("%TEMP%\\x.exe")));

        EXPECT_TRUE(WriteRegistryEntry(kind, "", "C:\\bmtest\\d.exe"));
        EXPECT_EQ(GetValue(root, key, "").second, "C:\\bmtest\\d.exe");
    }
}

TEST_F(RegistryLocations, RemoveDeletesOneValueAndKeepsTheKey) {
    for (const int kind : kRegistryKinds) {
        const HKEY root = RootOf(kind);
        const std::string key = KeyPathOf(kind);
        SetString(root, key, "A", "C:\\bmtest\\a.exe");
        SetString(root, key, "", "C:\\bmtest\\d.exe");

        EXPECT_TRUE(RemoveRegistryEntry(kind, "Missing")) << "a missing name is gone already";
        EXPECT_EQ(ValueCount(root, key), 2u);
        EXPECT_TRUE(RemoveRegistryEntry(kind, ""));
        EXPECT_EQ(GetValue(root, key, "").first, 0u) << "the default value goes";
        EXPECT_TRUE(RemoveRegistryEntry(kind, "a")) << "value names ignore case";
        EXPECT_EQ(ValueCount(root, key), 0u);
        EXPECT_TRUE(KeyExists(root, key));

        RegDeleteTreeA(root, key.c_str());
        EXPECT_TRUE(RemoveRegistryEntry(kind, "A"));
        EXPECT_TRUE(KeyExists(root, key)) << "a location written to exists afterwards";
    }
}

TEST_F(RegistryLocations, AMachineKeyWithoutWriteAccessStaysAsItWasAndIsStillListed) {
    SetString(HKEY_LOCAL_MACHINE, KeyPathOf(21), "Tool", "C:\\bmtest\\tool.exe");
    SetRegistryWriteDenialForTests([](HKEY root, const std::string&) { return root == HKEY_LOCAL_MACHINE; });

    EXPECT_FALSE(WriteRegistryEntry(21, "Tool", "C:\\bmtest\\other.exe"));
    EXPECT_FALSE(WriteRegistryEntry(22, "New", "C:\\bmtest\\new.exe"));
    EXPECT_FALSE(RemoveRegistryEntry(21, "Tool"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, KeyPathOf(22)));
    EXPECT_EQ(GetValue(HKEY_LOCAL_MACHINE, KeyPathOf(21), "Tool").second, "C:\\bmtest\\tool.exe");
    const EntryList listed = ListRegistryEntries(21);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].command, "C:\\bmtest\\tool.exe");
    EXPECT_TRUE(WriteRegistryEntry(11, "Tool", "C:\\bmtest\\tool.exe")) << "the user's keys stay writable";
}

}  // namespace
}  // namespace entrytest
