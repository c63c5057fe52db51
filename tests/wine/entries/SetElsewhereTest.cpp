// Values set elsewhere, seeded in the prefix's real registry as Group Policy and
// a setup program write them: listed with their kinds, and every change refused
// with their owner named while the values stay as they were.
#include <algorithm>

#include "LocationsFixture.h"
#include "entries/EntryCatalogue.h"
#include "entries/EntryChange.h"
#include "entries/SetElsewhereLocations.h"

namespace entrytest {
namespace {

const char kPolicyRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";
const char kPolicyRun32[] = "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";
const char kWinlogon[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

class SetElsewhere : public LocationsTest {
protected:
    void SetUp() override {
        LocationsTest::SetUp();
        for (const char* name : {"Shell", "Userinit"}) {
            machineWinlogon_.push_back(GetValue(HKEY_LOCAL_MACHINE, kWinlogon, name));
            userWinlogon_.push_back(GetValue(HKEY_CURRENT_USER, kWinlogon, name));
        }
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kPolicyRun);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kPolicyRun);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kPolicyRun32);
        const char* names[] = {"Shell", "Userinit"};
        for (size_t i = 0; i < 2; ++i) {
            PutBack(HKEY_LOCAL_MACHINE, names[i], machineWinlogon_[i]);
            PutBack(HKEY_CURRENT_USER, names[i], userWinlogon_[i]);
        }
        LocationsTest::TearDown();
    }

private:
    static void PutBack(HKEY root, const char* name, const std::pair<DWORD, std::string>& value) {
        if (value.first != 0) {
            SetString(root, kWinlogon, name, value.second, value.first);
            return;
        }
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, kWinlogon, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, name);
            RegCloseKey(key);
        }
    }
    std::vector<std::pair<DWORD, std::string>> machineWinlogon_, userWinlogon_;
};

std::vector<std::pair<std::string, std::string>> Listed(int32_t kind) {
    return NamesAndCommands(CollectAllEntries(), kind);
}

StartupEntry Find(int32_t kind, const std::string& name) {
    for (const StartupEntry& entry : CollectAllEntries()) {
        if (entry.kind == kind && entry.name == name) return entry;
    }
    ADD_FAILURE() << name << " not listed in " << kind;
    return StartupEntry();
}

using Pairs = std::vector<std::pair<std::string, std::string>>;

TEST_F(SetElsewhere, PolicyRunValuesOfBothHivesAndViewsAreListedAsTheyRun) {
    SetString(HKEY_CURRENT_USER, kPolicyRun, "UserPolicy", "C:\\bmtest\\user policy.exe /q");
    SetString(HKEY_LOCAL_MACHINE, kPolicyRun, "MachinePolicy", "%SystemRoot%\\machine.exe", REG_EXPAND_SZ);
    SetString(HKEY_LOCAL_MACHINE, kPolicyRun32, "Policy32", "C:\\bmtest\\thirty-two.exe");

    EXPECT_EQ(Listed(kUserPolicyRun), (Pairs{{"UserPolicy", "C:\\bmtest\\user policy.exe /q"}}));
    // Each once: where the views share the key (as Wine keeps it), both values
    // are the 64-bit view's.
    Pairs machine = Listed(kMachinePolicyRun);
    const Pairs view32 = Listed(kMachinePolicyRun32);
    EXPECT_LE(view32.size(), 1u);
    machine.insert(machine.end(), view32.begin(), view32.end());
    std::sort(machine.begin(), machine.end());
    EXPECT_EQ(machine,
              (Pairs{{"MachinePolicy", "%SystemRoot%\\machine.exe"}, {"Policy32", "C:\\bmtest\\thirty-two.exe"}}));
    const StartupEntry entry = Find(kMachinePolicyRun, "MachinePolicy");
    EXPECT_EQ(entry.active, 1);
    EXPECT_EQ(entry.stored, StoredValue::ExpandText);
    EXPECT_EQ(LocationPath(kUserPolicyRun), std::string("HKEY_CURRENT_USER\\") + kPolicyRun);
    // None of them is an ordinary Run entry.
    EXPECT_TRUE(Listed(kUserRun).empty());
    EXPECT_TRUE(Listed(kMachineRun).empty());
}

TEST_F(SetElsewhere, EveryChangeOfAPolicyValueIsRefusedAndTheValueStays) {
    SetString(HKEY_CURRENT_USER, kPolicyRun, "UserPolicy", "C:\\bmtest\\policy.exe");
    const StartupEntry listed = Find(kUserPolicyRun, "UserPolicy");

    StartupEntry off = listed;
    off.active = 0;
    StartupEntry moved = listed;
    moved.kind = kUserRun;
    StartupEntry added = listed;
    added.name = "Another";
    for (const ChangeResult& result :
         {ReplaceEntry(listed, off), ReplaceEntry(listed, moved), DeleteEntry(listed), AddEntry(added)}) {
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(result.reason, ChangeReason::SetByPolicy);
    }
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, kPolicyRun, "UserPolicy"),
              std::make_pair(DWORD(REG_SZ), std::string("C:\\bmtest\\policy.exe")));
    EXPECT_EQ(ValueCount(HKEY_CURRENT_USER, kPolicyRun), 1u);
    EXPECT_TRUE(Listed(kUserRun).empty());
}

TEST_F(SetElsewhere, WinlogonValuesAreListedOnlyBeyondWindowsOwnPrograms) {
    SetString(HKEY_LOCAL_MACHINE, kWinlogon, "Shell", "explorer.exe");
    SetString(HKEY_LOCAL_MACHINE, kWinlogon, "Userinit", "C:\\windows\\system32\\userinit.exe,");
    EXPECT_TRUE(Listed(kMachineWinlogon).empty());
    EXPECT_TRUE(Listed(kUserWinlogon).empty());

    SetString(HKEY_LOCAL_MACHINE, kWinlogon, "Userinit", "C:\\Windows\\System32\\userinit.exe,C:\\bmtest\\extra.exe,");
    SetString(HKEY_CURRENT_USER, kWinlogon, "Shell", "C:\\bmtest\\kiosk.exe");
    EXPECT_EQ(Listed(kMachineWinlogon), (Pairs{{"Userinit", "C:\\bmtest\\extra.exe"}}));
    EXPECT_EQ(Listed(kUserWinlogon), (Pairs{{"Shell", "C:\\bmtest\\kiosk.exe"}}));

    const StartupEntry shell = Find(kUserWinlogon, "Shell");
    EXPECT_EQ(DeleteEntry(shell).reason, ChangeReason::SetForWinlogon);
    StartupEntry off = shell;
    off.active = 0;
    EXPECT_EQ(ReplaceEntry(shell, off).reason, ChangeReason::SetForWinlogon);
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, kWinlogon, "Shell").second, "C:\\bmtest\\kiosk.exe");
}

TEST(WinlogonDefaults, WindowsOwnValuesInTheFormsSetupWrites) {
    const std::string windows = "C:\\Windows";
    struct Case {
        const char* name;
        const char* text;
        bool own;
        const char* extra;
    };
    const Case cases[] = {
        {"Shell", "explorer.exe", true, "explorer.exe"},
        {"Shell", "Explorer.EXE", true, "Explorer.EXE"},
        {"Shell", "C:\\Windows\\explorer.exe", true, "C:\\Windows\\explorer.exe"},
        {"Shell", "explorer.exe C:\\bmtest\\also.exe", false, "explorer.exe C:\\bmtest\\also.exe"},
        {"Userinit", "C:\\Windows\\system32\\userinit.exe,", true, ""},
        {"Userinit", "C:\\Windows\\system32\\userinit.exe", true, ""},
        {"Userinit", "%SystemRoot%\\system32\\userinit.exe,", true, ""},
        {"Userinit", "userinit.exe,C:\\a.exe, C:\\b.exe,", false, "C:\\a.exe,C:\\b.exe"},
        {"Userinit", "C:\\evil\\userinit.exe,", false, "C:\\evil\\userinit.exe"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsWindowsOwnWinlogonValue(c.name, c.text, windows), c.own) << c.text;
        EXPECT_EQ(WinlogonExtra(c.name, c.text, windows), c.extra) << c.text;
    }
}

}  // namespace
}  // namespace entrytest
