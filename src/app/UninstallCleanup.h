// What the uninstaller has the program do before it removes the program folder:
// nothing may be left that starts a missing program. Switched-off entries start
// this folder's companion "inactive.exe"; on request they are switched back on,
// and the answer says how many still start the companion, so the uninstaller
// knows whether it must leave the companion in place. The logon-check value goes
// when it starts this folder's copy of the program (another copy's is left alone).
//
//   Bootmarshal.exe /uninstall-cleanup [/switch-on] [/count]
//
// The exit code is the number of entries the current user can reach (machine-wide
// and own locations) that still start this folder's companion afterwards; with
// /count nothing is changed and the code is the number of such entries now.
#pragma once
#include <string>
#include <vector>

#include "entries/StartupEntry.h"

extern const char kUninstallCleanupSwitch[];  // "/uninstall-cleanup"

// Every entry of the fourteen locations whose stored command starts the
// companion beside this program (either marker form, any case), in the listed
// form: marker stripped, active 0. Switched-off entries of other copies of the
// program are not among them.
EntryList EntriesStartingOwnCompanion();

struct UninstallCleanupResult {
    int switchedOn = 0;              // entries switched back on
    int stillStartingCompanion = 0;  // entries that still start this folder's companion
    bool blockCheckRemoved = false;  // the logon-check value named this program and is gone
};

// Switches every entry that starts this folder's companion back on (when asked)
// through the safe change routine, and removes the logon-check value of the
// current user when it starts this program. An entry that cannot be changed
// stays as it was and is counted as still starting the companion.
UninstallCleanupResult CleanUpForUninstall(bool switchOn);

// The first argument is the cleanup switch.
bool IsUninstallCleanup(const std::vector<std::string>& arguments);
// Runs the cleanup for these arguments (the switch and its options); returns
// the exit code described above. Creates and ends the shared shell-link
// component itself.
int RunUninstallCleanup(const std::vector<std::string>& arguments);
