// The entry catalogue: the only road to the autostart entries. It keeps nothing:
// every call goes to the locations afresh. Entries come out with the deactivation
// marker stripped and their active flag set; they go back in through the change
// routine of entries/EntryChange.h.
#pragma once
#include "entries/StartupEntry.h"

// Every entry of all fourteen locations in the order 1, 2, 11-15, 21-25, 31, 32,
// marker stripped and active flag set. Nothing is sorted, merged or dropped.
EntryList CollectAllEntries();
