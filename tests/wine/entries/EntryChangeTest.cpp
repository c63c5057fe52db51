// The change routine against the prefix's real registry, win.ini and Startup
// folders: one table of changes from one location kind to another, each under
// one fault, and every location compared afterwards. Rights the platform here
// does not enforce come from the write-denial seams (registry, win.ini); a
// Startup folder is made unwritable for real (immutable, which stops even root).
#include "LocationsFixture.h"
#include "entries/EntryCatalogue.h"
#include "entries/EntryChange.h"
#include "entries/StoredCommand.h"
#include "entries/WinIniLocations.h"
#include "support/Processes.h"
#include "system/RegistryValues.h"
#include "system/TextRules.h"

#include <algorithm>
#include <tuple>

namespace entrytest {
namespace {

using EntryChange = LocationsTest;

enum class Fault {
    None,
    DeniedMachineKeys,  // every write below HKEY_LOCAL_MACHINE refused
    RefusedWinIni,      // every win.ini write refused
    UnwritableFolder,   // the target's (or the listed entry's) Startup folder immutable
    ChangedSinceListing,
    NameOutsideCodePage,  // a name with a character the code page lacks, switched off in place
    DwordValue,           // a registry value that is no string
    NameTaken,            // the target holds "TOOL" already
};

enum class Op { Replace, Delete, Add };

struct Case {
    const char* what;
    Op op;
    int32_t from;  // the listed entry's kind (the added one's for Add)
    int32_t to;    // the replacement's kind
    Fault fault;
    ChangeReason reason;
    const char* name = "Tool";  // the replacement's name
    const char* command = "\"C:\\bmtest\\gone\\tool.exe\" -q";
    uint8_t active = 1;  // the replacement's flag
};

// Quoted: a link can be made of it although the program is missing.
const char kListedCommand[] = "\"C:\\bmtest\\gone\\tool.exe\" -q";

// A link holds the program without quotation marks, the registry and win.ini
// hold the command as it stands.
std::string WithoutQuotes(std::string command) {
    command.erase(std::remove(command.begin(), command.end(), '"'), command.end());
    return Trim(command);
}

// Everything the fourteen locations hold, as the platform stores it.
using Dump = std::vector<std::tuple<int, std::string, std::string>>;
Dump DumpAll() {
    Dump all;
    for (const int kind : AllLocationKinds()) {
        if (IsRegistryKind(kind)) {
            for (const auto& [name, text] : ReadRegStringValues(RootOf(kind), KeyPathOf(kind))) {
                all.emplace_back(kind, name,
                                 text + "#" + std::to_string(GetValue(RootOf(kind), KeyPathOf(kind), name).first));
            }
        } else if (IsFolderKind(kind)) {
            for (const std::string& file : FolderItems(FolderOf(kind))) {
                const LinkFields link = ReadPlatformLink(FolderOf(kind) + file);
                all.emplace_back(kind, file, link.path + "|" + link.arguments + "|" + link.workingDirectory);
            }
        } else if (IsWinIniKind(kind)) {
            all.emplace_back(kind, "", RawWinIni(WinIniKeyOf(kind)));
        }
    }
    std::sort(all.begin(), all.end());
    return all;
}

// The Startup folder made immutable for real: the test runs as root, whom
// ordinary file rights do not stop.
bool SetImmutable(const std::string& folder, bool immutable) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    const auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return false;
    std::wstring wide(folder.begin(), folder.end());
    if (!wide.empty() && wide.back() == L'\\') wide.pop_back();
    char* unixPath = toUnix(wide.c_str());
    if (!unixPath) return false;
    const std::string command = std::string("chattr ") + (immutable ? "+i" : "-i") + " '" + unixPath + "'";
    HeapFree(GetProcessHeap(), 0, unixPath);
    return testsupport::RunUnixShell(command);
}

// Locked for the life of the object (or until Unlock), also when a check fails.
class LockedFolder {
public:
    explicit LockedFolder(std::string folder) : folder_(std::move(folder)) {
        if (!folder_.empty()) {
            EXPECT_TRUE(SetImmutable(folder_, true)) << folder_;
        }
    }
    ~LockedFolder() { Unlock(); }
    void Unlock() {
        if (!folder_.empty()) {
            EXPECT_TRUE(SetImmutable(folder_, false)) << folder_;
        }
        folder_.clear();
    }

private:
    std::string folder_;
};

StartupEntry ListedOfKind(int32_t kind) {
    for (const StartupEntry& entry : CollectAllEntries()) {
        if (entry.kind == kind) return entry;
    }
    ADD_FAILURE() << "nothing listed in " << kind;
    return StartupEntry();
}

// Changes what the location holds behind the listing's back.
void ChangeBehindTheListing(int32_t kind) {
    if (IsRegistryKind(kind)) SetString(RootOf(kind), KeyPathOf(kind), "Tool", "C:\\bmtest\\gone\\other.exe");
    if (IsFolderKind(kind)) {
        ASSERT_TRUE(WritePlatformLink(FolderOf(kind) + "Tool.lnk", {"C:\\bmtest\\other.exe", ""}));
    }
    if (IsWinIniKind(kind)) SetRawWinIni(WinIniKeyOf(kind), "C:\\bmtest\\gone\\other.exe");
}

TEST_F(EntryChange, EveryKindPairUnderEveryFaultChangesAllOrNothing) {
    const Case cases[] = {
        // Moves and switches that go through.
        {"machine to user", Op::Replace, kMachineRun, kUserRun, Fault::None, ChangeReason::None},
        {"switch off in place", Op::Replace, kMachineRun, kMachineRun, Fault::None, ChangeReason::None, "Tool",
         kListedCommand, 0},
        {"registry to folder", Op::Replace, kUserRunOnce, kCommonStartup, Fault::None, ChangeReason::None},
        {"folder to win.ini", Op::Replace, kUserStartup, kWinIniRun, Fault::None, ChangeReason::None},
        {"win.ini to registry", Op::Replace, kWinIniLoad, kMachineRunServices, Fault::None, ChangeReason::None},
        {"win.ini to win.ini", Op::Replace, kWinIniLoad, kWinIniRun, Fault::None, ChangeReason::None},
        {"rename in place", Op::Replace, kUserRun, kUserRun, Fault::None, ChangeReason::None, "Renamed"},
        {"delete", Op::Delete, kUserStartup, 0, Fault::None, ChangeReason::None},
        {"32-bit view to 64-bit", Op::Replace, kMachineRunOnce32, kMachineRun, Fault::None, ChangeReason::None},
        {"folder to 32-bit view", Op::Replace, kCommonStartup, kMachineRun32, Fault::None, ChangeReason::None},
        {"delete in the 32-bit view", Op::Delete, kMachineRunOnceEx32, 0, Fault::None, ChangeReason::None},
        // A machine-wide entry without write access: neither duplicated nor lost.
        {"machine to user, denied", Op::Replace, kMachineRun, kUserRun, Fault::DeniedMachineKeys,
         ChangeReason::AccessDenied},
        {"user to machine, denied", Op::Replace, kUserRun, kMachineRun, Fault::DeniedMachineKeys,
         ChangeReason::AccessDenied},
        {"switch off, denied", Op::Replace, kMachineRunOnce, kMachineRunOnce, Fault::DeniedMachineKeys,
         ChangeReason::AccessDenied, "Tool", kListedCommand, 0},
        {"delete, denied", Op::Delete, kMachineRun, 0, Fault::DeniedMachineKeys, ChangeReason::AccessDenied},
        {"add, denied", Op::Add, kMachineRun, 0, Fault::DeniedMachineKeys, ChangeReason::AccessDenied},
        {"user to 32-bit view, denied", Op::Replace, kUserRun, kMachineRun32, Fault::DeniedMachineKeys,
         ChangeReason::AccessDenied},
        {"switch off in the 32-bit view, denied", Op::Replace, kMachineRun32, kMachineRun32, Fault::DeniedMachineKeys,
         ChangeReason::AccessDenied, "Tool", kListedCommand, 0},
        // A refused win.ini write.
        {"switch off in win.ini, refused", Op::Replace, kWinIniLoad, kWinIniLoad, Fault::RefusedWinIni,
         ChangeReason::AccessDenied, "", kListedCommand, 0},
        {"into win.ini, refused", Op::Replace, kUserRun, kWinIniRun, Fault::RefusedWinIni, ChangeReason::AccessDenied},
        {"out of win.ini, refused", Op::Replace, kWinIniRun, kUserRun, Fault::RefusedWinIni,
         ChangeReason::AccessDenied},
        // A Startup folder that cannot be written.
        {"switch off in a locked folder", Op::Replace, kUserStartup, kUserStartup, Fault::UnwritableFolder,
         ChangeReason::AccessDenied, "Tool", kListedCommand, 0},
        {"into a locked folder", Op::Replace, kUserRun, kCommonStartup, Fault::UnwritableFolder,
         ChangeReason::AccessDenied},
        {"out of a locked folder", Op::Replace, kCommonStartup, kUserRun, Fault::UnwritableFolder,
         ChangeReason::AccessDenied},
        // What a location cannot store.
        {"link name with a backslash", Op::Replace, kUserRun, kCommonStartup, Fault::None,
         ChangeReason::NameNotStorable, "sub\\tool"},
        {"link name with a colon", Op::Replace, kUserRun, kUserStartup, Fault::None, ChangeReason::NameNotStorable,
         "Update: x"},
        {"device name", Op::Add, kUserStartup, 0, Fault::None, ChangeReason::NameNotStorable, "con.txt"},
        {"win.ini item with ;", Op::Replace, kUserRun, kWinIniLoad, Fault::None, ChangeReason::CommandNotStorable,
         "Tool", "C:\\a.exe;C:\\b.exe"},
        {"into a link, no blank ends a file", Op::Replace, kUserRun, kUserStartup, Fault::None,
         ChangeReason::ProgramNotFound, "Tool", "C:\\bmtest\\gone dir\\tool.exe -q"},
        {"a new link, no blank ends a file", Op::Add, kCommonStartup, 0, Fault::None, ChangeReason::None, "Tool",
         "C:\\bmtest\\gone dir\\tool.exe -q"},
        {"win.ini item intern_clear", Op::Replace, kUserRun, kWinIniRun, Fault::None, ChangeReason::CommandNotStorable,
         "Tool", "intern_clear"},
        // Changed since it was listed.
        {"registry changed", Op::Replace, kUserRun, kUserRunOnce, Fault::ChangedSinceListing,
         ChangeReason::ChangedSinceListing},
        {"link changed", Op::Delete, kCommonStartup, 0, Fault::ChangedSinceListing, ChangeReason::ChangedSinceListing},
        {"win.ini changed", Op::Replace, kWinIniRun, kUserRun, Fault::ChangedSinceListing,
         ChangeReason::ChangedSinceListing},
        {"name outside the code page", Op::Replace, kUserRun, kUserRun, Fault::NameOutsideCodePage, ChangeReason::None,
         "Tool\xE4\xB8\x80", kListedCommand, 0},
        {"DWORD value", Op::Replace, kUserRunOnceEx, kUserRunOnceEx, Fault::DwordValue, ChangeReason::NotAStringValue,
         "Tool", "", 0},
        // Another entry of that name (ignoring case) in the target.
        {"registry name taken", Op::Replace, kUserRun, kMachineRun, Fault::NameTaken, ChangeReason::NameTaken},
        {"name taken in the 32-bit view", Op::Replace, kMachineRun, kMachineRunOnce32, Fault::NameTaken,
         ChangeReason::NameTaken},
        {"link name taken", Op::Replace, kCommonStartup, kUserStartup, Fault::NameTaken, ChangeReason::NameTaken},
        {"added name taken", Op::Add, kUserRunOnce, 0, Fault::NameTaken, ChangeReason::NameTaken},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        const int32_t addKind = c.op == Op::Add ? kUserRun : c.from;
        if (c.fault == Fault::NameOutsideCodePage) {
            const wchar_t name[] = L"Tool\x4E00";
            const wchar_t data[] = L"C:\\bmtest\\gone\\tool.exe -q";
            const std::string narrowPath = KeyPathOf(c.from);
            const std::wstring keyPath(narrowPath.begin(), narrowPath.end());
            HKEY key = nullptr;
            ASSERT_EQ(
                RegCreateKeyExW(RootOf(c.from), keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
                ERROR_SUCCESS);
            RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), sizeof data);
            RegCloseKey(key);
        } else if (c.fault == Fault::DwordValue) {
            const DWORD one = 1;
            SetValue(RootOf(c.from), KeyPathOf(c.from), "Tool", REG_DWORD, &one, sizeof one);
        } else {
            const ChangeResult seeded = AddEntry(AnEntry("Tool", kListedCommand).Kind(addKind));
            ASSERT_TRUE(seeded.ok()) << "reason " << static_cast<int>(seeded.reason) << " at " << seeded.location;
        }
        const StartupEntry listed = ListedOfKind(addKind);
        const StartupEntry replacement = AnEntry(c.name, c.command).Kind(c.to).Active(c.active);
        const StartupEntry added = AnEntry(c.name, c.command).Kind(c.from);
        if (c.fault == Fault::NameTaken) {
            const int32_t target = c.op == Op::Add ? c.from : c.to;
            if (IsRegistryKind(target)) SetString(RootOf(target), KeyPathOf(target), "TOOL", "C:\\bmtest\\other.exe");
            if (IsFolderKind(target)) {
                ASSERT_TRUE(WritePlatformLink(FolderOf(target) + "TOOL.lnk", {"C:\\other.exe", ""}));
            }
        }

        if (c.fault == Fault::DeniedMachineKeys) {
            SetRegistryWriteDenialForTests([](HKEY root, const std::string&) { return root == HKEY_LOCAL_MACHINE; });
        }
        if (c.fault == Fault::RefusedWinIni) SetWinIniWriteDenialForTests([](const std::string&) { return true; });
        const int32_t lockedKind = IsFolderKind(c.to) ? c.to : c.from;
        LockedFolder locked(c.fault == Fault::UnwritableFolder ? FolderOf(lockedKind) : std::string());
        if (c.fault == Fault::ChangedSinceListing) ChangeBehindTheListing(c.from);
        const Dump before = DumpAll();

        const ChangeResult result = c.op == Op::Replace  ? ReplaceEntry(listed, replacement)
                                    : c.op == Op::Delete ? DeleteEntry(listed)
                                                         : AddEntry(added);
        locked.Unlock();
        SetRegistryWriteDenialForTests(nullptr);
        SetWinIniWriteDenialForTests(nullptr);

        EXPECT_EQ(result.reason, c.reason);
        EXPECT_EQ(result.changed, c.reason == ChangeReason::None);
        EXPECT_FALSE(result.oldEntryLost);
        EXPECT_FALSE(result.location.empty());
        if (!result.changed) {
            EXPECT_EQ(DumpAll(), before) << "nothing changed anywhere";
            continue;
        }
        const EntryList after = CollectAllEntries();
        if (c.op == Op::Delete) {
            EXPECT_TRUE(after.empty());
            continue;
        }
        const StartupEntry& expected = c.op == Op::Add ? added : replacement;
        int found = 0;
        for (const StartupEntry& entry : after) {
            if (c.op == Op::Add && entry.kind == kUserRun) continue;  // the entry seeded beside it
            ++found;
            EXPECT_EQ(entry.kind, expected.kind);
            EXPECT_EQ(entry.active, expected.active);
            if (!IsWinIniKind(expected.kind)) {
                EXPECT_EQ(entry.name, expected.name);
            }
            EXPECT_EQ(WithoutQuotes(entry.command), WithoutQuotes(expected.command));
        }
        EXPECT_EQ(found, 1) << "exactly one entry, in the new location";
    }
}

StartupEntry Flipped(StartupEntry entry) {
    entry.active = entry.active ? 0 : 1;
    return entry;
}

TEST_F(EntryChange, ALinkKeepsItsOwnFieldsWhenSwitchedOffAndOn) {
    const LinkFields own("C:\\bmtest\\gone\\tool.exe", "-q", "D:\\Work", "My tool", "C:\\icons\\tool.ico", 3,
                         MAKEWORD('T', HOTKEYF_CONTROL | HOTKEYF_ALT));
    const std::string file = FolderOf(kUserStartup) + "Tool.lnk";
    ASSERT_TRUE(WritePlatformLink(file, own));
    for (int round = 0; round < 2; ++round) {
        const StartupEntry listed = ListedOfKind(kUserStartup);
        ASSERT_TRUE(ReplaceEntry(listed, Flipped(listed)).ok()) << round;
        const LinkFields now = ReadPlatformLink(file);
        EXPECT_EQ(now.path, round == 0 ? CompanionPath() : own.path);
        EXPECT_EQ(now.workingDirectory, own.workingDirectory);
        EXPECT_EQ(now.description, own.description);
        EXPECT_EQ(now.iconLocation, own.iconLocation);
        EXPECT_EQ(now.iconIndex, own.iconIndex);
        EXPECT_EQ(now.hotKey, own.hotKey);
    }
    EXPECT_EQ(ReadPlatformLink(file).arguments, "-q");
    // A new link still gets the defaults of a fresh one.
    ASSERT_TRUE(AddEntry(AnEntry("Fresh", "\"C:\\bmtest\\gone\\fresh.exe\" /x").Kind(kUserStartup)).ok());
    const LinkFields fresh = ReadPlatformLink(FolderOf(kUserStartup) + "Fresh.lnk");
    EXPECT_EQ(fresh.workingDirectory, "C:\\bmtest\\gone\\");
    EXPECT_EQ(fresh.description, "fresh.exe");
    EXPECT_EQ(fresh.hotKey, 0);
}

TEST_F(EntryChange, AnExpandableValueKeepsItsTypeThroughSwitchesAndMoves) {
    const std::string command = "%windir%\\system32\\SecurityHealthSystray.exe";
    SetString(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRun), "SecurityHealth", command, REG_EXPAND_SZ);
    const int32_t path[] = {kMachineRun, kMachineRun, kUserRun, kUserRunOnce};
    for (size_t step = 1; step < 4; ++step) {
        const StartupEntry listed = ListedOfKind(path[step - 1]);
        StartupEntry next = step == 1 ? Flipped(listed) : listed;  // off, then moved twice while off
        next.kind = path[step];
        ASSERT_TRUE(ReplaceEntry(listed, next).ok()) << step;
        EXPECT_EQ(GetValue(RootOf(path[step]), KeyPathOf(path[step]), "SecurityHealth").first,
                  static_cast<DWORD>(REG_EXPAND_SZ))
            << step;
    }
    const StartupEntry off = ListedOfKind(kUserRunOnce);
    ASSERT_TRUE(ReplaceEntry(off, Flipped(off)).ok());
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, KeyPathOf(kUserRunOnce), "SecurityHealth"),
              std::make_pair(static_cast<DWORD>(REG_EXPAND_SZ), command));
    // New values: expandable only when the command holds a reference; a plain
    // one stays plain.
    ASSERT_TRUE(AddEntry(AnEntry("Temp", "%TEMP%\\x.exe").Kind(kUserRun)).ok());
    ASSERT_TRUE(AddEntry(AnEntry("Plain", "C:\\x.exe 100%").Kind(kUserRun)).ok());
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, KeyPathOf(kUserRun), "Temp").first, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, KeyPathOf(kUserRun), "Plain").first, static_cast<DWORD>(REG_SZ));
}

TEST_F(EntryChange, AnEntrySwitchedOffByACopyElsewhereIsSwitchedOnCleanly) {
    const std::string foreign = "\"D:\\Old Place\\Bootmarshal\\inactive.exe\" \"C:\\bmtest\\gone\\nag.exe\" /tray";
    SetString(HKEY_CURRENT_USER, KeyPathOf(kUserRun), "Nag", foreign);
    SetRawWinIni("load", "D:\\Old\\inactive.exe C:\\BMTEST\\LOAD.EXE");
    for (const int32_t kind : {kUserRun, kWinIniLoad}) {
        const StartupEntry listed = ListedOfKind(kind);
        EXPECT_EQ(listed.active, 0) << kind;
        ASSERT_TRUE(ReplaceEntry(listed, Flipped(listed)).ok()) << kind;
    }
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, KeyPathOf(kUserRun), "Nag").second, "\"C:\\bmtest\\gone\\nag.exe\" /tray");
    EXPECT_EQ(RawWinIni("load"), "C:\\BMTEST\\LOAD.EXE");
}

}  // namespace
}  // namespace entrytest
