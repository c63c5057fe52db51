// One autostart entry and the places it can live in: the fourteen locations of
// old and the 32-bit view of the machine's Run keys. Plain data: the location
// modules make records, the catalogue adds and strips the deactivation marker,
// and whoever holds a list owns its records.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Who switched an entry off. An entry that is switched off in any way has
// active 0, so whatever only knows the flag (the block check, backups, old
// callers) treats them all alike.
enum class SwitchedOffBy : uint8_t {
    Nobody,       // active, or a record that does not say (a new or restored one)
    ThisProgram,  // stored with the deactivation marker in front
    Windows,      // Windows' own switch (Task Manager, Settings): its StartupApproved
                  // value is odd; the entry itself is stored unchanged
    OtherTool,    // moved into an "AutorunsDisabled" subkey or folder of its location
};

class StartupEntry {
public:
    std::string name;     // value name, link name without ".lnk", or derived (win.ini)
    std::string command;  // as stored, without the deactivation marker
    uint8_t active = 0;   // 1 active, 0 switched off
    int32_t kind = 0;     // a LocationKind, 0 for none
    // Set by listing only; the change routine reads it to find the listed entry
    // (OtherTool: in the "AutorunsDisabled" place; Windows: stored without the
    // marker). A replacement's own value only counts as OtherTool with active 0:
    // it then stays in (or goes to) the "AutorunsDisabled" place.
    SwitchedOffBy offBy = SwitchedOffBy::Nobody;
};

using EntryList = std::vector<StartupEntry>;

// Where in its location an entry is stored: in the location itself, or in the
// "AutorunsDisabled" subkey of a registry key or folder of a Startup folder,
// where another tool moved it to switch it off (Windows starts nothing there).
enum class EntryPlace { Location, AutorunsDisabled };
inline EntryPlace PlaceOf(const StartupEntry& entry) {
    return entry.offBy == SwitchedOffBy::OtherTool && entry.active == 0 ? EntryPlace::AutorunsDisabled
                                                                        : EntryPlace::Location;
}
// The name of that subkey and folder.
inline constexpr char kAutorunsDisabled[] = "AutorunsDisabled";

// The tens digit gives the family: 0 Startup folders, 1 current user's
// registry, 2 machine registry (26-28 its 32-bit view on a 64-bit Windows,
// HKLM\SOFTWARE\WOW6432Node\...), 3 win.ini.
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
};

// Every location kind, in the order in which the catalogue collects them.
inline const std::vector<int32_t>& AllLocationKinds() {
    static const std::vector<int32_t> kinds = {1, 2, 11, 12, 13, 14, 15, 21, 22, 23, 24, 25, 26, 27, 28, 31, 32};
    return kinds;
}

inline bool IsLocationKind(int32_t kind) {
    return (kind >= 1 && kind <= 2) || (kind >= 11 && kind <= 15) || (kind >= 21 && kind <= 28) ||
           (kind >= 31 && kind <= 32);
}
inline bool IsFolderKind(int32_t kind) { return kind == 1 || kind == 2; }
inline bool IsRegistryKind(int32_t kind) { return (kind >= 11 && kind <= 15) || (kind >= 21 && kind <= 28); }
inline bool IsWinIniKind(int32_t kind) { return kind == 31 || kind == 32; }
// The machine's Run keys as 32-bit programs see them (only on a 64-bit Windows).
inline bool Is32BitViewKind(int32_t kind) { return kind >= 26 && kind <= 28; }
// Locations that belong to the machine, not to the user: the common Startup
// folder and the machine's registry keys in both views. Win.ini is the user's:
// Windows NT keeps its [windows] section in the user's registry.
inline bool IsMachineWideKind(int32_t kind) { return kind == 1 || (kind >= 21 && kind <= 28); }
// Windows deletes a RunOnce value as it starts it, so a switched-off one is
// gone after the next logon, together with the companion it started.
inline bool IsRunOnceKind(int32_t kind) { return kind == 12 || kind == 22 || kind == 27; }
// Locations only Windows 95, 98 and Me start; Windows NT never runs them.
inline bool IsNotStartedByWindowsNtKind(int32_t kind) { return kind == 14 || kind == 15 || kind == 24 || kind == 25; }
