// What changed between a snapshot and the entries now. An entry is the same in
// both when its name (by the rule names match by) and its location family (the
// tens digit of its kind: Startup folders, the user's registry, the machine's,
// win.ini) are; an entry of another family with the same name and command has
// moved; anything else was removed or added. Pure.
#pragma once
#include <vector>

#include "entries/StartupEntry.h"

enum class EntryDifference { Added, Removed, Changed, Moved };

struct EntryDelta {
    EntryDifference difference;
    StartupEntry before;  // as the snapshot holds it; empty for Added
    StartupEntry now;     // as stored now; empty for Removed
    // For Changed: what differs.
    bool commandChanged = false;
    bool stateChanged = false;  // switched on or off, or by someone else
    bool kindChanged = false;
};

// Removed and changed in the snapshot's order, then added and moved in the
// current order; entries that are alike are left out.
std::vector<EntryDelta> CompareWithSnapshot(const EntryList& snapshot, const EntryList& now);
