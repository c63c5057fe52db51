// The one way to change a stored entry. Switching off and on, blocking and
// releasing, editing, moving and restoring all replace one entry by another;
// adding and deleting add or remove one. The routines work on copies, check that
// the listed entry is still stored as it was listed before they remove anything,
// write the new entry, and put the old one back when that write fails. They
// never throw and never produce user texts: the result says what happened as
// data, and the windows turn it into texts of their own.
#pragma once
#include <string>

#include "entries/StartupEntry.h"

enum class ChangeReason {
    None,
    AccessDenied,         // the location refused the change for want of rights
    NameTaken,            // the target location holds another entry of that name
    ChangedSinceListing,  // the listed entry is no longer stored as listed (or its
                          // name holds characters outside the user's code page)
    NameNotStorable,      // a link name the Startup folder cannot hold
    CommandNotStorable,   // a win.ini item with ";", a line break, "intern_clear" or nothing
    NotAStringValue,      // a registry value of another type than a string
    NoLocation,           // a kind that names no location
    WriteFailed,          // any other refusal of the location
    NotMachineWide,       // the machine-wide mode changes no location of the user's
    ProgramNotFound,      // a link needs the program apart, and no blank of the
                          // command ends the path of an existing file
    SetByPolicy,          // Group Policy sets the entry; only it changes it
    SetForWinlogon,       // Windows' logon reads the value; not changed here
    OnlySwitched,         // the location's entries are only switched where they stand
                          // (a scheduled task): never added, edited or moved
    NotDeletable,         // a packaged app's startup task goes with its app
};

struct ChangeResult {
    bool changed = false;       // the change is done
    bool oldEntryLost = false;  // the new entry could not be written, nor the old one put back
    ChangeReason reason = ChangeReason::None;
    std::string location;  // the location concerned: key path with hive, folder path or win.ini path
    // The entry changed, but Windows' switch value of the name it left (or of
    // the name it took) could not be removed; location then names the switch key.
    bool windowsSwitchLeft = false;
    bool ok() const { return changed; }
};

// Windows' switch (entries/WindowsSwitch.h) follows the entry: switching an
// entry on in place clears it (and when the entry Windows switched off is stored
// as it should be, only it changes); switching off with this program leaves it
// alone; an entry that is deleted, renamed or moved takes its switch value
// along, and a stale one left under the name an entry takes is removed.
// An entry another tool moved into its "AutorunsDisabled" place (offBy
// OtherTool) is found there; its replacement goes back into the location
// itself unless it is again offBy OtherTool with active 0.

// Writes a new entry into the location of its kind (marker in front when it is
// inactive). A registry value is REG_EXPAND_SZ when the command holds a %name%
// reference, else REG_SZ; a link gets the defaults of a fresh link.
ChangeResult AddEntry(const StartupEntry& entry);
// Replaces the listed entry by the replacement (same or another location). A
// registry value keeps its type, also when it moves to another registry key; a
// link keeps its working folder, icon, show state, hot key and description.
ChangeResult ReplaceEntry(const StartupEntry& listed, const StartupEntry& replacement);
// Removes the listed entry from its location.
ChangeResult DeleteEntry(const StartupEntry& listed);

// The path of a kind's location as ChangeResult::location gives it; empty for a
// kind that names no location (or a Startup folder that cannot be found).
std::string LocationPath(int32_t kind, EntryPlace place = EntryPlace::Location);
