// The location table: every location kind an entry can name, the family of
// locations that stores it (one unit per family, entries/LocationFamily.h) and
// what Windows does with it. Everything that asks what a kind is reads this
// table; nothing else names kinds by number.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The tens digit gives the family: 0 Startup folders, 1 current user's
// registry, 2 machine registry (26-28 its 32-bit view on a 64-bit Windows,
// HKLM\SOFTWARE\WOW6432Node\...), 3 win.ini, 4 values that are set elsewhere
// and only shown here (policies, Winlogon), 5 and 6 what the Task Scheduler
// and packaged apps start. The numbers are stored in backups and block lists.
// Kinds stay below 100: a backup stores an entry in UTF-8 under its kind plus
// 300 (backup/SnapshotList.h).
enum LocationKind : int32_t {
    kNoLocation = 0,
    kCommonStartup = 1,
    kUserStartup = 2,
    kUserRun = 11,
    kUserRunOnce = 12,
    kUserRunOnceEx = 13,
    kUserRunServices = 14,
    kUserRunServicesOnce = 15,
    kMachineRun = 21,
    kMachineRunOnce = 22,
    kMachineRunOnceEx = 23,
    kMachineRunServices = 24,
    kMachineRunServicesOnce = 25,
    kMachineRun32 = 26,
    kMachineRunOnce32 = 27,
    kMachineRunOnceEx32 = 28,
    kWinIniLoad = 31,
    kWinIniRun = 32,
    kUserPolicyRun = 41,
    kMachinePolicyRun = 42,
    kMachinePolicyRun32 = 43,
    kUserWinlogon = 44,
    kMachineWinlogon = 45,
    kLogonTasks = 51,
    kPackagedAppTasks = 61,
};

// The family of locations that stores a kind's entries.
enum class LocationFamilyId : uint8_t {
    StartupLinks,    // ".lnk" files of a Startup folder
    RegistryValues,  // string values of a Run-family key
    WinIniItems,     // items of a win.ini list
    SetElsewhere,    // policy and Winlogon values: listed, never changed here
    LogonTasks,      // tasks of the Task Scheduler started at logon or boot
    PackagedApps,    // startup tasks of packaged apps, switched by their state
    Registered,      // a family registered at run time (tests add one so)
};

struct LocationKindRow {
    int32_t kind;
    LocationFamilyId family;
    // The machine's, not the user's: the common Startup folder and the machine's
    // registry keys in both views. Win.ini is the user's: Windows NT keeps its
    // [windows] section in the user's registry.
    bool machineWide;
    // Windows deletes a RunOnce value as it starts it, so a switched-off one is
    // gone after the next logon, together with the companion it started.
    bool runOnce;
    // Only Windows 95, 98 and Me start it; Windows NT never does.
    bool notStartedByWindowsNt;
    // The machine's Run keys as 32-bit programs see them (only on a 64-bit Windows).
    bool view32;
    // An entry may open a folder instead of starting a program (a link can).
    bool mayOpenFolder;
    // An entry's name is a file's name in a folder (entries/LocationRules.h
    // says which names a folder can hold).
    bool fileNames;
    // Who alone changes it; the entry is listed but never changed here.
    enum class Owner : uint8_t { ThisProgram, GroupPolicy, Winlogon } owner = Owner::ThisProgram;
};

// The rows in the order in which the catalogue collects them. Test seam: tests
// append rows of a family they register (entries/LocationFamily.h).
inline std::vector<LocationKindRow>& LocationKindRows() {
    //                                               machine runOnce notNt  view32 folder fileNames
    static std::vector<LocationKindRow> rows = {
        {kCommonStartup, LocationFamilyId::StartupLinks, true, false, false, false, true, true},
        {kUserStartup, LocationFamilyId::StartupLinks, false, false, false, false, true, true},
        {kUserRun, LocationFamilyId::RegistryValues, false, false, false, false, false, false},
        {kUserRunOnce, LocationFamilyId::RegistryValues, false, true, false, false, false, false},
        {kUserRunOnceEx, LocationFamilyId::RegistryValues, false, false, false, false, false, false},
        {kUserRunServices, LocationFamilyId::RegistryValues, false, false, true, false, false, false},
        {kUserRunServicesOnce, LocationFamilyId::RegistryValues, false, false, true, false, false, false},
        {kMachineRun, LocationFamilyId::RegistryValues, true, false, false, false, false, false},
        {kMachineRunOnce, LocationFamilyId::RegistryValues, true, true, false, false, false, false},
        {kMachineRunOnceEx, LocationFamilyId::RegistryValues, true, false, false, false, false, false},
        {kMachineRunServices, LocationFamilyId::RegistryValues, true, false, true, false, false, false},
        {kMachineRunServicesOnce, LocationFamilyId::RegistryValues, true, false, true, false, false, false},
        {kMachineRun32, LocationFamilyId::RegistryValues, true, false, false, true, false, false},
        {kMachineRunOnce32, LocationFamilyId::RegistryValues, true, true, false, true, false, false},
        {kMachineRunOnceEx32, LocationFamilyId::RegistryValues, true, false, false, true, false, false},
        {kWinIniLoad, LocationFamilyId::WinIniItems, false, false, false, false, false, false},
        {kWinIniRun, LocationFamilyId::WinIniItems, false, false, false, false, false, false},
        {kUserPolicyRun, LocationFamilyId::SetElsewhere, false, false, false, false, false, false,
         LocationKindRow::Owner::GroupPolicy},
        {kMachinePolicyRun, LocationFamilyId::SetElsewhere, true, false, false, false, false, false,
         LocationKindRow::Owner::GroupPolicy},
        {kMachinePolicyRun32, LocationFamilyId::SetElsewhere, true, false, false, true, false, false,
         LocationKindRow::Owner::GroupPolicy},
        {kUserWinlogon, LocationFamilyId::SetElsewhere, false, false, false, false, false, false,
         LocationKindRow::Owner::Winlogon},
        {kMachineWinlogon, LocationFamilyId::SetElsewhere, true, false, false, false, false, false,
         LocationKindRow::Owner::Winlogon},
        {kLogonTasks, LocationFamilyId::LogonTasks, true, false, false, false, false, false},
        {kPackagedAppTasks, LocationFamilyId::PackagedApps, false, false, false, false, false, false},
    };
    return rows;
}

// The row of a kind; nullptr for a kind that names no location.
inline const LocationKindRow* FindLocationKind(int32_t kind) {
    for (const LocationKindRow& row : LocationKindRows()) {
        if (row.kind == kind) return &row;
    }
    return nullptr;
}

// Every location kind, in the order in which the catalogue collects them.
inline const std::vector<int32_t>& AllLocationKinds() {
    static std::vector<int32_t> kinds;
    const std::vector<LocationKindRow>& rows = LocationKindRows();
    bool same = kinds.size() == rows.size();
    for (size_t i = 0; same && i < rows.size(); ++i) same = kinds[i] == rows[i].kind;
    if (!same) {
        kinds.clear();
        for (const LocationKindRow& row : rows) kinds.push_back(row.kind);
    }
    return kinds;
}

inline bool IsLocationKind(int32_t kind) { return FindLocationKind(kind) != nullptr; }

namespace location_kinds_detail {
template <typename Trait>
bool RowSays(int32_t kind, Trait trait) {
    const LocationKindRow* row = FindLocationKind(kind);
    return row && trait(*row);
}
}  // namespace location_kinds_detail

inline bool IsMachineWideKind(int32_t kind) {
    return location_kinds_detail::RowSays(kind, [](const LocationKindRow& row) { return row.machineWide; });
}
inline bool IsRunOnceKind(int32_t kind) {
    return location_kinds_detail::RowSays(kind, [](const LocationKindRow& row) { return row.runOnce; });
}
inline bool IsNotStartedByWindowsNtKind(int32_t kind) {
    return location_kinds_detail::RowSays(kind, [](const LocationKindRow& row) { return row.notStartedByWindowsNt; });
}
inline bool Is32BitViewKind(int32_t kind) {
    return location_kinds_detail::RowSays(kind, [](const LocationKindRow& row) { return row.view32; });
}
inline bool MayOpenFolderKind(int32_t kind) {
    return location_kinds_detail::RowSays(kind, [](const LocationKindRow& row) { return row.mayOpenFolder; });
}
// Who alone changes a kind's entries; ThisProgram for every kind this program
// changes (and for a kind that names no location).
inline LocationKindRow::Owner OwnerOfKind(int32_t kind) {
    const LocationKindRow* row = FindLocationKind(kind);
    return row ? row->owner : LocationKindRow::Owner::ThisProgram;
}
inline bool IsChangedHereKind(int32_t kind) { return OwnerOfKind(kind) == LocationKindRow::Owner::ThisProgram; }
// Its entries are switched where they stand, never edited, moved or made here:
// the Task Scheduler holds a task's definition, a package its startup task.
inline bool IsOnlySwitchedKind(int32_t kind) {
    return location_kinds_detail::RowSays(kind, [](const LocationKindRow& row) {
        return row.family == LocationFamilyId::LogonTasks || row.family == LocationFamilyId::PackagedApps;
    });
}
inline bool NamesFilesKind(int32_t kind) {
    return location_kinds_detail::RowSays(kind, [](const LocationKindRow& row) { return row.fileNames; });
}

// The family of a kind. The program speaks to a family through its unit
// (entries/LocationFamily.h); these predicates are for tests that plant
// entries where a family stores them.
inline bool IsKindOfFamily(int32_t kind, LocationFamilyId family) {
    const LocationKindRow* row = FindLocationKind(kind);
    return row && row->family == family;
}
inline bool IsFolderKind(int32_t kind) { return IsKindOfFamily(kind, LocationFamilyId::StartupLinks); }
inline bool IsRegistryKind(int32_t kind) { return IsKindOfFamily(kind, LocationFamilyId::RegistryValues); }
inline bool IsWinIniKind(int32_t kind) { return IsKindOfFamily(kind, LocationFamilyId::WinIniItems); }
