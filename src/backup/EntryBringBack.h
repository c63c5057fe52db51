// Bringing one entry back as a snapshot recorded it, from the comparison of
// the snapshot with now: a removed entry is written again, a changed or moved
// one is set back, and no other entry is touched. The snapshot of the entries
// as they are before the change is saved first, so that it can be undone in
// the backup manager like a whole restore.
#pragma once
#include <string>

#include "backup/EntryRestore.h"
#include "backup/SnapshotCompare.h"

class BackupStore;

// Whether a difference can be brought back: an entry removed since, changed or
// moved, recorded in a location this program writes, and, when it is still
// there in another form, one that may be replaced (not a value that is not
// text). An entry added since has nothing to come back to.
bool CanBringBack(const EntryDelta& delta);

struct BringBackResult {
    bool done = false;
    // Taking away the entry as it is now (changed or moved) was refused: the
    // recorded one was not written.
    ChangeResult removal;
    // Writing the recorded entry: when it failed, the entry as it was now is
    // put back; lost when even that failed.
    EntryRestore restore;
    bool currentLost = false;
    std::string keptAside;  // where an unreadable backup file went before the undo snapshot
};

// The undo snapshot is added and saved first; when that throws, nothing else
// has happened and the exception goes to the caller. The entries are taken as
// the comparison listed them: one stored differently by now is refused.
BringBackResult BringBackEntry(BackupStore& store, const EntryDelta& delta);
