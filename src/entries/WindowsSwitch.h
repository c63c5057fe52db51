// Windows' own switch: Task Manager and Settings switch a Run entry or a Startup
// link off without touching it, in a binary value of the same name (a link's
// with ".lnk") under HKCU or HKLM
// Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run, \Run32
// or \StartupFolder. Its first byte is even while the entry may run (Windows
// writes 02 or 06 and zeros) and odd once it is switched off (03 or 07, then the
// FILETIME of the change). Explorer asks it for the Run keys and the Startup
// folders only: RunOnce, RunOnceEx and the rest have no switch.
#pragma once
#include <string>
#include <unordered_set>

#include "entries/StartupEntry.h"
#include "system/WriteOutcome.h"

// The kind has a switch: 11 and 21 (Run of the same hive), 26 (Run32), 1 and
// 2 (StartupFolder of the machine and of the user).
bool HasWindowsSwitch(int32_t kind);
// The switch's value name for an entry of that kind: the value name, or the
// link file name with ".lnk".
std::string WindowsSwitchValueName(int32_t kind, const std::string& entryName);
// Whether a switch value's bytes say "switched off": a first byte that is odd.
bool WindowsSwitchSaysOff(const std::string& bytes);
// The bytes that say "may run" again, as Windows itself writes them when an
// entry is switched back on: the first byte made even (03 -> 02, 07 -> 06) and
// the time of the change cleared; twelve bytes in all.
std::string WindowsSwitchOnBytes(const std::string& bytes);

// "HKEY_...\...\StartupApproved\..." of a kind's switch key; empty without one.
std::string WindowsSwitchKeyPath(int32_t kind);

// The lookup keys (TextKey) of the entry names that Windows switched off in a
// kind's switch key; read once per listing.
std::unordered_set<std::string> NamesSwitchedOffByWindows(int32_t kind);
// Whether Windows switched off the entry of that name.
bool IsSwitchedOffByWindows(int32_t kind, const std::string& entryName);
// Switches the entry on in Windows' eyes: writes the "may run" bytes over an odd
// value and leaves everything else alone. Done when there is no such value or
// it is even already.
WriteOutcome ClearWindowsSwitch(int32_t kind, const std::string& entryName);
// Puts a switch value back as it was (bytes as read before a change).
WriteOutcome RestoreWindowsSwitch(int32_t kind, const std::string& entryName, const std::string& bytes);
// The raw bytes of the switch value; false when there is none.
bool ReadWindowsSwitch(int32_t kind, const std::string& entryName, std::string& bytes);
// Removes the entry's switch value (an entry that is deleted, renamed or moved
// takes its switch along, so a stale one never switches off a later entry of
// that name). Done when it is gone.
WriteOutcome RemoveWindowsSwitch(int32_t kind, const std::string& entryName);
