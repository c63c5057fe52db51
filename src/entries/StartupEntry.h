// One autostart entry and the fourteen places it can live in. Plain data: the
// location modules make records, the catalogue adds and strips the deactivation
// marker, and whoever holds a list owns its records.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class StartupEntry {
public:
    std::string name;     // value name, link name without ".lnk", or derived (win.ini)
    std::string command;  // as stored, without the deactivation marker
    uint8_t active = 0;   // 1 active, 0 switched off
    int32_t kind = 0;     // a LocationKind, 0 for none
};

using EntryList = std::vector<StartupEntry>;

// The tens digit gives the family: 0 Startup folders, 1 current user's
// registry, 2 machine registry, 3 win.ini.
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
    kWinIniLoad = 31,
    kWinIniRun = 32,
};

// Every location kind, in the order in which the catalogue collects them.
inline const std::vector<int32_t>& AllLocationKinds() {
    static const std::vector<int32_t> kinds = {1, 2, 11, 12, 13, 14, 15, 21, 22, 23, 24, 25, 31, 32};
    return kinds;
}

inline bool IsLocationKind(int32_t kind) {
    return (kind >= 1 && kind <= 2) || (kind >= 11 && kind <= 15) || (kind >= 21 && kind <= 25) ||
           (kind >= 31 && kind <= 32);
}
inline bool IsFolderKind(int32_t kind) { return kind == 1 || kind == 2; }
inline bool IsRegistryKind(int32_t kind) { return (kind >= 11 && kind <= 15) || (kind >= 21 && kind <= 25); }
inline bool IsWinIniKind(int32_t kind) { return kind == 31 || kind == 32; }
