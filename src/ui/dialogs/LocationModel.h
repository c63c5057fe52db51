// The location dialog's choice, apart from its window: which radio button an
// entry's kind checks, and which kind the checked button and the registry hive
// stand for. The dialog keeps the choice between its uses, so an entry without
// a location (kind 0) opens on the choice of the previous use.
#pragma once
#include <cstdint>

// One radio button per kind of place; the registry buttons need the hive too.
enum class LocationButton {
    None,  // nothing checked yet (first use)
    CommonStartup,
    UserStartup,
    Run,
    RunOnce,
    RunOnceEx,
    RunServices,
    RunServicesOnce,
    WinIniLoad,
    WinIniRun,
};

// The hive choice's items, in their order in the radio group.
enum class RegistryHive {
    AllUsers = 0,     // the local machine: kinds 21 to 25
    CurrentUser = 1,  // the current user: kinds 11 to 15
    AllUsers32 = 2,   // the machine's keys of 32-bit programs: kinds 26 to 28 (Run, RunOnce, RunOnceEx)
};

struct LocationChoice {
    LocationButton button = LocationButton::None;
    RegistryHive hive = RegistryHive::AllUsers;

    bool operator==(const LocationChoice& other) const { return button == other.button && hive == other.hive; }
};

// The hive choice only means something for the registry keys.
bool IsRegistryButton(LocationButton button);

// The choice the dialog opens with for an entry of this kind: the kind's button,
// and for a registry kind its hive. A Startup-folder or win.ini kind keeps the
// previous hive; a kind that names no location keeps the whole previous choice.
LocationChoice PreselectForKind(int32_t kind, const LocationChoice& previous);

// The kind the choice stands for: a Startup folder or win.ini list by its
// button, a registry key by its button and hive. With nothing checked, the
// common Startup folder (kind 1). The 32-bit view has no RunServices keys (only
// Windows 9x ran them, and it had no such view): those stay the machine's.
int32_t KindForChoice(const LocationChoice& choice);
