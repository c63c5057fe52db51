// The entry catalogue: the only road to the autostart entries. It keeps nothing:
// every call goes to the locations afresh. Entries come out with the deactivation
// marker stripped and their active flag set, and go back in with the marker in
// front when they are inactive.
#pragma once
#include "entries/StartupEntry.h"

// Every entry of all fourteen locations in the order 1, 2, 11-15, 21-25, 31, 32,
// marker stripped and active flag set. Nothing is sorted, merged or dropped.
EntryList CollectAllEntries();
// Writes the entry into the location of its kind: an inactive entry gets the
// marker in front of entry.command unless the command holds it anywhere already,
// an active one loses a marker at its start. Registry values take the quoted form
// of an active command and the plain form of an inactive one. True when the
// location took it; false for a refused write and for a kind that names no
// location. A refused win.ini write throws EWinIniWriteError.
bool WriteEntry(StartupEntry& entry);
// Removes the entry from the location of its kind: folders and registry keys by
// name, win.ini by the exact text of the command. An inactive entry gets the
// marker put in front of its command first, every time. True when the location
// no longer holds it; false when the removal was refused and for a kind that
// names no location. A refused win.ini write throws EWinIniWriteError.
bool RemoveEntry(StartupEntry& entry);
