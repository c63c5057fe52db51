// The entry catalogue: the only road to the autostart entries. It reads all
// fourteen locations afresh on every call and applies the deactivation marker.
// (Declared ahead of its implementation, which lands with the locations.)
#pragma once
#include "entries/Launcher.h"

// Every entry of all fourteen locations in the order 1, 2, 11-15, 21-25, 31, 32,
// marker stripped and active flag set.
EntryList CollectAllEntries();
// Writes the entry into the location of its kind, adding or removing the marker
// in entry.command as its active flag says. True when the location took it.
bool WriteEntry(Launcher& entry);
// Removes the entry from the location of its kind; an inactive entry gets the
// marker put in front of its command. True when the location no longer holds it.
bool RemoveEntry(Launcher& entry);
