// What today's Windows adds to the locations, against the prefix's real
// registry and Startup folders: the machine's 32-bit Run keys (a 64-bit prefix
// has both views), Windows' own StartupApproved switch with values seeded as
// Windows writes them, entries another tool moved into "AutorunsDisabled",
// the machine-wide mode, the will-not-run check on this system, and the watcher
// noticing changes.
#include <algorithm>
#include <functional>
#include "LocationsFixture.h"
#include "entries/EntryCatalogue.h"
#include "entries/EntryChange.h"
#include "entries/LocationWatcher.h"
#include "entries/RunCheck.h"
#include "entries/StoredCommand.h"
#include "entries/WindowsSwitch.h"
#include "system/Elevation.h"
#include "system/RegistryValues.h"

namespace entrytest {
namespace {

using TodaysWindows = LocationsTest;

// Task Manager's bytes: switched off (03, then the FILETIME of the change) and
// switched on again (02 and zeros).
const std::string kOffByTaskManager("\x03\x00\x00\x00\xd4\x0d\x43\x8d\xc8\x3b\xd9\x01", 12);
const std::string kOffWithSevens("\x07\x00\x00\x00\x10\x20\x30\x40\x50\x60\x70\x01", 12);
const std::string kOn("\x02\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00", 12);
const std::string kOnWithSixes("\x06\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00", 12);

const char kGone[] = "C:\\bmtest\\gone\\tool.exe -q";

StartupEntry Listed(int32_t kind, const std::string& name) {
    for (const StartupEntry& entry : CollectAllEntries()) {
        if (entry.kind == kind && entry.name == name) return entry;
    }
    ADD_FAILURE() << "nothing named " << name << " listed in " << kind;
    return StartupEntry();
}

bool IsListed(int32_t kind, const std::string& name) {
    for (const StartupEntry& entry : CollectAllEntries()) {
        if (entry.kind == kind && entry.name == name) return true;
    }
    return false;
}

StartupEntry Switched(StartupEntry entry, uint8_t active) {
    entry.active = active;
    return entry;
}

// Where Windows keeps the switch of a kind.
HKEY SwitchRoot(int32_t kind) {
    return kind == kUserRun || kind == kUserStartup ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}
std::string SwitchKey(int32_t kind) {
    const char* sub = IsFolderKind(kind) ? "StartupFolder" : kind == kMachineRun32 ? "Run32" : "Run";
    return std::string(kStartupApprovedKey) + "\\" + sub;
}
std::string SwitchName(int32_t kind, const std::string& name) { return IsFolderKind(kind) ? name + ".lnk" : name; }
void SeedSwitch(int32_t kind, const std::string& name, const std::string& bytes) {
    SetValue(SwitchRoot(kind), SwitchKey(kind), SwitchName(kind, name), REG_BINARY, bytes.data(),
             static_cast<DWORD>(bytes.size()));
}
// The switch value's bytes; "<none>" when there is none.
std::string SwitchBytes(int32_t kind, const std::string& name) {
    const auto [type, bytes] = GetValue(SwitchRoot(kind), SwitchKey(kind), SwitchName(kind, name));
    return type == 0 ? "<none>" : bytes;
}

std::string FileBytes(const std::string& file) {
    std::string bytes;
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return "<none>";
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(handle, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    CloseHandle(handle);
    return bytes;
}

// An entry as the platform stores it, to see that it did not change at all.
std::string StoredForm(int32_t kind, const std::string& name) {
    if (IsFolderKind(kind)) return FileBytes(FolderOf(kind) + name + ".lnk");
    const auto [type, text] = GetValue(RootOf(kind), KeyPathOf(kind), name);
    return std::to_string(type) + ":" + text;
}

void Seed(int32_t kind, const std::string& name, const std::string& command) {
    if (IsFolderKind(kind)) {
        // The seeded programs' paths hold no blank.
        const size_t blank = command.find(' ');
        const std::string program = command.substr(0, blank);
        const std::string arguments = blank == std::string::npos ? std::string() : command.substr(blank + 1);
        ASSERT_TRUE(WritePlatformLink(FolderOf(kind) + name + ".lnk", {program, arguments, "C:\\Work"}));
    } else {
        SetString(RootOf(kind), KeyPathOf(kind), name, command);
    }
}

TEST_F(TodaysWindows, BothViewsOfTheMachineAreListedSwitchedAndMovedApart) {
    SetString(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRun), "Updater", "C:\\bmtest\\64\\up.exe");
    SetString(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRun32), "Updater", "C:\\bmtest\\32\\up.exe /tray");
    SetString(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRunOnce32), "Once", "C:\\bmtest\\32\\once.exe");
    SetString(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRunOnceEx32), "OnceEx", "C:\\bmtest\\32\\onceex.exe");
    const EntryList all = CollectAllEntries();
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(NamesAndCommands(all, kMachineRun), (Pairs{{"Updater", "C:\\bmtest\\64\\up.exe"}}));
    EXPECT_EQ(NamesAndCommands(all, kMachineRun32), (Pairs{{"Updater", "C:\\bmtest\\32\\up.exe /tray"}}));
    EXPECT_EQ(NamesAndCommands(all, kMachineRunOnce32), (Pairs{{"Once", "C:\\bmtest\\32\\once.exe"}}));
    EXPECT_EQ(NamesAndCommands(all, kMachineRunOnceEx32), (Pairs{{"OnceEx", "C:\\bmtest\\32\\onceex.exe"}}));
    EXPECT_EQ(LocationPath(kMachineRun32),
              "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run");
    EXPECT_EQ(LocationPath(kMachineRunOnceEx32),
              "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx");

    // Off and on in the 32-bit view: the 64-bit twin of the same name stays as it is.
    const std::string twin = StoredForm(kMachineRun, "Updater");
    StartupEntry listed = Listed(kMachineRun32, "Updater");
    ASSERT_TRUE(ReplaceEntry(listed, Switched(listed, 0)).ok());
    EXPECT_EQ(GetValue(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRun32), "Updater").second,
              DeactivationMarker() + "C:\\bmtest\\32\\up.exe /tray");
    listed = Listed(kMachineRun32, "Updater");
    EXPECT_EQ(listed.active, 0);
    EXPECT_EQ(listed.offBy, SwitchedOffBy::ThisProgram);
    ASSERT_TRUE(ReplaceEntry(listed, Switched(listed, 1)).ok());
    EXPECT_EQ(GetValue(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRun32), "Updater").second, "C:\\bmtest\\32\\up.exe /tray");
    EXPECT_EQ(StoredForm(kMachineRun, "Updater"), twin);

    // Moves between the views: a name taken in the other view is refused.
    StartupEntry moved = Listed(kMachineRun32, "Updater");
    moved.kind = kMachineRun;
    EXPECT_EQ(ReplaceEntry(Listed(kMachineRun32, "Updater"), moved).reason, ChangeReason::NameTaken);
    listed = Listed(kMachineRunOnce32, "Once");
    moved = listed;
    moved.kind = kMachineRun;
    ASSERT_TRUE(ReplaceEntry(listed, moved).ok());
    EXPECT_EQ(ValueCount(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRunOnce32)), 0u);
    EXPECT_EQ(GetValue(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRun), "Once").second, "C:\\bmtest\\32\\once.exe");
    listed = Listed(kMachineRun, "Once");
    moved = listed;
    moved.kind = kMachineRunOnceEx32;
    ASSERT_TRUE(ReplaceEntry(listed, moved).ok());
    EXPECT_FALSE(GetValue(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRun), "Once").first);
    EXPECT_TRUE(GetValue(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRunOnceEx32), "Once").first);
    ASSERT_TRUE(AddEntry(AnEntry("Fresh", "C:\\bmtest\\32\\fresh.exe").Kind(kMachineRunOnce32)).ok());
    EXPECT_EQ(GetValue(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRunOnce32), "Fresh").second, "C:\\bmtest\\32\\fresh.exe");
}

TEST_F(TodaysWindows, WindowsSwitchIsReadClearedAloneAndTakenAlongByDeletesAndMoves) {
    struct Case {
        int32_t kind;
        int32_t twin;  // a location of the same name that the switch does not cover
        std::string offBytes, onBytes;
    };
    const Case cases[] = {
        {kUserRun, kUserRunOnce, kOffByTaskManager, kOn},
        {kMachineRun, kMachineRun32, kOffByTaskManager, kOn},
        {kMachineRun32, kMachineRun, kOffWithSevens, kOnWithSixes},
        {kUserStartup, kCommonStartup, kOffByTaskManager, kOn},
        {kCommonStartup, kUserStartup, kOffWithSevens, kOnWithSixes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        TearDown();
        SetUp();
        Seed(c.kind, "Tool", kGone);
        Seed(c.kind, "Other", "C:\\bmtest\\gone\\other.exe");
        Seed(c.twin, "Tool", kGone);
        SeedSwitch(c.kind, "Tool", c.offBytes);
        SeedSwitch(c.kind, "Other", kOn);
        const std::string stored = StoredForm(c.kind, "Tool");

        StartupEntry tool = Listed(c.kind, "Tool");
        EXPECT_EQ(tool.active, 0);
        EXPECT_EQ(tool.offBy, SwitchedOffBy::Windows);
        EXPECT_EQ(tool.command, Listed(c.twin, "Tool").command);
        EXPECT_EQ(WhyNotRun(tool, SystemProgramLookup()), NotRunReason::SwitchedOffByWindows);
        EXPECT_EQ(Listed(c.kind, "Other").active, 1);
        EXPECT_EQ(Listed(c.twin, "Tool").active, 1) << "the switch of one location only";

        // Switched on: only the switch changes, to what Windows writes.
        ASSERT_TRUE(ReplaceEntry(tool, Switched(tool, 1)).ok());
        EXPECT_EQ(SwitchBytes(c.kind, "Tool"), c.onBytes);
        EXPECT_EQ(StoredForm(c.kind, "Tool"), stored);
        tool = Listed(c.kind, "Tool");
        EXPECT_EQ(tool.active, 1);
        EXPECT_EQ(tool.offBy, SwitchedOffBy::Nobody);

        // Switched off here: Windows' value stays as it is.
        ASSERT_TRUE(ReplaceEntry(tool, Switched(tool, 0)).ok());
        EXPECT_EQ(SwitchBytes(c.kind, "Tool"), c.onBytes);
        EXPECT_EQ(Listed(c.kind, "Tool").offBy, SwitchedOffBy::ThisProgram);

        // Off in both ways: switching on clears both.
        SeedSwitch(c.kind, "Tool", c.offBytes);
        tool = Listed(c.kind, "Tool");
        EXPECT_EQ(tool.offBy, SwitchedOffBy::ThisProgram);
        ASSERT_TRUE(ReplaceEntry(tool, Switched(tool, 1)).ok());
        EXPECT_EQ(SwitchBytes(c.kind, "Tool"), c.onBytes);
        EXPECT_EQ(Listed(c.kind, "Tool").active, 1);

        // Renamed while Windows has it off: the switch goes with the old name,
        // and the entry keeps its state by this program's marker.
        SeedSwitch(c.kind, "Tool", c.offBytes);
        SeedSwitch(c.kind, "Renamed", c.offBytes);  // a stale one under the new name
        tool = Listed(c.kind, "Tool");
        StartupEntry renamed = tool;
        renamed.name = "Renamed";
        ASSERT_TRUE(ReplaceEntry(tool, renamed).ok());
        EXPECT_EQ(SwitchBytes(c.kind, "Tool"), "<none>");
        EXPECT_EQ(SwitchBytes(c.kind, "Renamed"), "<none>");
        renamed = Listed(c.kind, "Renamed");
        EXPECT_EQ(renamed.active, 0);
        EXPECT_EQ(renamed.offBy, SwitchedOffBy::ThisProgram);

        // Deleted: its switch goes too, so a later entry of that name runs.
        ASSERT_TRUE(DeleteEntry(Listed(c.kind, "Other")).ok());
        EXPECT_EQ(SwitchBytes(c.kind, "Other"), "<none>");
        SeedSwitch(c.kind, "Later", c.offBytes);
        ASSERT_TRUE(AddEntry(AnEntry("Later", "C:\\bmtest\\gone\\later.exe").Kind(c.kind)).ok());
        EXPECT_EQ(Listed(c.kind, "Later").active, 1);
    }
}

TEST_F(TodaysWindows, SwitchingOnAMachineEntryWithoutRightsChangesNothing) {
    Seed(kMachineRun, "Tool", kGone);
    SeedSwitch(kMachineRun, "Tool", kOffByTaskManager);
    const StartupEntry tool = Listed(kMachineRun, "Tool");
    SetRegistryWriteDenialForTests([](HKEY root, const std::string&) { return root == HKEY_LOCAL_MACHINE; });
    const ChangeResult result = ReplaceEntry(tool, Switched(tool, 1));
    SetRegistryWriteDenialForTests(nullptr);
    EXPECT_EQ(result.reason, ChangeReason::AccessDenied);
    EXPECT_NE(result.location.find("StartupApproved"), std::string::npos) << result.location;
    EXPECT_EQ(SwitchBytes(kMachineRun, "Tool"), kOffByTaskManager);
    EXPECT_EQ(Listed(kMachineRun, "Tool").offBy, SwitchedOffBy::Windows);
}

TEST_F(TodaysWindows, EntriesAnotherToolMovedAsideAreListedSwitchedOnAndDeletedThere) {
    const std::string disabled = std::string("\\") + kAutorunsDisabled;
    SetString(HKEY_CURRENT_USER, KeyPathOf(kUserRun) + disabled, "Shelved", "\"C:\\bmtest\\gone\\shelved.exe\" /x");
    SetString(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRun32) + disabled, "Shelved32", "C:\\bmtest\\gone\\s32.exe");
    const std::string folder = FolderOf(kUserStartup) + kAutorunsDisabled + "\\";
    MakeFolders(folder);
    ASSERT_TRUE(WritePlatformLink(folder + "Shelved.lnk", {"C:\\bmtest\\gone\\link.exe", "-m", "C:\\Work"}));

    for (const int32_t kind : {kUserRun, kMachineRun32, kUserStartup}) {
        const std::string name = kind == kMachineRun32 ? "Shelved32" : "Shelved";
        const StartupEntry entry = Listed(kind, name);
        EXPECT_EQ(entry.active, 0) << kind;
        EXPECT_EQ(entry.offBy, SwitchedOffBy::OtherTool) << kind;
        EXPECT_NE(LocationPath(kind, PlaceOf(entry)).find(kAutorunsDisabled), std::string::npos);
    }
    EXPECT_EQ(Listed(kUserStartup, "Shelved").command, "C:\\bmtest\\gone\\link.exe -m");

    // Switched on: back where it came from, the same text and link fields.
    StartupEntry shelved = Listed(kUserRun, "Shelved");
    ASSERT_TRUE(ReplaceEntry(shelved, Switched(shelved, 1)).ok());
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, KeyPathOf(kUserRun), "Shelved").second,
              "\"C:\\bmtest\\gone\\shelved.exe\" /x");
    EXPECT_EQ(ValueCount(HKEY_CURRENT_USER, KeyPathOf(kUserRun) + disabled), 0u);
    shelved = Listed(kUserStartup, "Shelved");
    ASSERT_TRUE(ReplaceEntry(shelved, Switched(shelved, 1)).ok());
    EXPECT_EQ(FolderItems(folder), std::vector<std::string>{});
    const LinkFields back = ReadPlatformLink(FolderOf(kUserStartup) + "Shelved.lnk");
    EXPECT_EQ(back.path, "C:\\bmtest\\gone\\link.exe");
    EXPECT_EQ(back.arguments, "-m");
    EXPECT_EQ(back.workingDirectory, "C:\\Work");
    EXPECT_EQ(Listed(kUserStartup, "Shelved").active, 1);

    // Edited while aside, it stays aside; deleted, it goes from there.
    shelved = Listed(kMachineRun32, "Shelved32");
    StartupEntry edited = shelved;
    edited.command = "C:\\bmtest\\gone\\s32.exe /new";
    ASSERT_TRUE(ReplaceEntry(shelved, edited).ok());
    EXPECT_EQ(GetValue(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRun32) + disabled, "Shelved32").second,
              "C:\\bmtest\\gone\\s32.exe /new");
    EXPECT_EQ(ValueCount(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRun32)), 0u);
    ASSERT_TRUE(DeleteEntry(Listed(kMachineRun32, "Shelved32")).ok());
    EXPECT_EQ(ValueCount(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRun32) + disabled), 0u);
    EXPECT_FALSE(IsListed(kMachineRun32, "Shelved32"));
}

TEST_F(TodaysWindows, TheMachineWideModeListsAndChangesMachineEntriesOnly) {
    Seed(kUserRun, "Mine", kGone);
    Seed(kUserStartup, "MyLink", kGone);
    SetRawWinIni("load", "C:\\bmtest\\legacy.exe");
    Seed(kMachineRun, "Ours", kGone);
    Seed(kMachineRun32, "Ours32", kGone);
    Seed(kCommonStartup, "OurLink", kGone);
    const StartupEntry mine = Listed(kUserRun, "Mine");
    SetMachineWideOnly(true);
    std::vector<int32_t> kinds;
    for (const StartupEntry& entry : CollectAllEntries()) kinds.push_back(entry.kind);
    const ChangeResult replaced = ReplaceEntry(mine, Switched(mine, 0));
    const ChangeResult added = AddEntry(AnEntry("New", kGone).Kind(kWinIniRun));
    const ChangeResult deleted = DeleteEntry(mine);
    const ChangeResult machine = AddEntry(AnEntry("New", kGone).Kind(kMachineRunOnce32));
    SetMachineWideOnly(false);
    std::sort(kinds.begin(), kinds.end());
    EXPECT_EQ(kinds, (std::vector<int32_t>{kCommonStartup, kMachineRun, kMachineRun32}));
    EXPECT_EQ(replaced.reason, ChangeReason::NotMachineWide);
    EXPECT_EQ(added.reason, ChangeReason::NotMachineWide);
    EXPECT_EQ(deleted.reason, ChangeReason::NotMachineWide);
    EXPECT_TRUE(machine.ok());
    EXPECT_EQ(Listed(kUserRun, "Mine").active, 1);
}

TEST_F(TodaysWindows, ProgramsAreLookedForAsWindowsWouldLookHere) {
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string dll = std::string(system) + "\\bmtest-probe.exe";
    ASSERT_TRUE(WriteBytes(dll, "MZ"));
    struct Case {
        const char* command;
        bool exists;
    };
    const Case cases[] = {
        {"notepad.exe", true},
        {"rundll32 shell32.dll,Control_RunDLL", true},
        {"bmtest-probe /q", true},
        {"%SystemRoot%\\system32\\bmtest-probe.exe", true},
        {"\"%windir%\\notepad.exe\" /p x.txt", true},
        {"C:\\bmtest\\gone\\tool.exe -q", false},
        {"bmtest-absent.exe", false},
        {"%SystemRoot%\\bmtest-absent.exe", false},
    };
    const ProgramLookup lookup = SystemProgramLookup();
    for (const Case& c : cases) EXPECT_EQ(ProgramExists(c.command, lookup), c.exists) << c.command;
    DeleteFileA(dll.c_str());
}

// Waits briefly for any of the watcher's handles.
bool Noticed(const LocationWatcher& watcher, DWORD timeoutMs = 2000) {
    const auto& handles = watcher.Handles();
    return WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, timeoutMs) <
           WAIT_OBJECT_0 + handles.size();
}

TEST_F(TodaysWindows, TheWatcherNoticesChangesInEveryKindOfLocation) {
    LocationWatcher watcher;
    ASSERT_TRUE(watcher.Arm());
    EXPECT_EQ(watcher.WatchedFolders(), 2u);
    EXPECT_FALSE(Noticed(watcher, 200)) << "nothing changed yet";

    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"user Run value", [] { SetString(HKEY_CURRENT_USER, KeyPathOf(kUserRun), "W", kGone); }},
        {"32-bit RunOnce, key made", [] { SetString(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRunOnce32), "W", kGone); }},
        {"value aside", [] { SetString(HKEY_CURRENT_USER, KeyPathOf(kUserRun) + "\\AutorunsDisabled", "W", kGone); }},
        {"Windows' switch", [] { SeedSwitch(kMachineRun, "W", kOffByTaskManager); }},
        {"win.ini", [] { SetRawWinIni("run", "C:\\bmtest\\w.exe"); }},
        {"link",
         [] {
             ASSERT_TRUE(WritePlatformLink(FolderOf(kCommonStartup) + "W.lnk", {"C:\\w.exe", ""}));
         }},
    };
    for (const auto& [what, change] : changes) {
        change();
        EXPECT_TRUE(Noticed(watcher)) << what;
        ASSERT_TRUE(watcher.Arm()) << what;
        EXPECT_FALSE(Noticed(watcher, 100)) << "re-armed quietly after " << what;
    }
    watcher.Disarm();
    EXPECT_TRUE(watcher.Handles().empty());
}

TEST(Elevation, TheElevatedCopyIsStartedThroughTheSeamWithTheMachineWideSwitch) {
    static std::string program, arguments;
    SetElevatedStarterForTests([](const std::string& p, const std::string& a) {
        program = p;
        arguments = a;
        return ElevatedStart::Cancelled;
    });
    EXPECT_EQ(StartElevatedCopy(), ElevatedStart::Cancelled);
    SetElevatedStarterForTests(nullptr);
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    EXPECT_EQ(program, self);
    EXPECT_EQ(arguments, "/machinewide");
    // Every process of a Wine prefix runs with full rights.
    EXPECT_TRUE(IsProcessElevated());
}

}  // namespace
}  // namespace entrytest
