#include "backup/EntryBringBack.h"

#include "backup/BackupStore.h"
#include "entries/EntryCatalogue.h"
#include "entries/LocationKinds.h"

bool CanBringBack(const EntryDelta& delta) {
    if (delta.difference == EntryDifference::Added) return false;
    if (!IsChangedHereKind(delta.before.kind)) return false;
    // A value that is not text: the snapshot holds its name only.
    if (delta.before.stored == StoredValue::NotText) return false;
    if (delta.difference == EntryDifference::Removed) return true;
    return RestoreMayRemove(delta.now);
}

BringBackResult BringBackEntry(BackupStore& store, const EntryDelta& delta) {
    BringBackResult result;
    if (!CanBringBack(delta)) {
        result.restore.fault = RestoreFault::Refused;
        result.restore.change.reason = ChangeReason::NoLocation;
        return result;
    }
    store.AddSnapshot();
    result.keptAside = store.KeptAside();

    const bool replaces = delta.difference != EntryDifference::Removed;
    if (replaces) {
        // The name is taken while the current form is there; taking it away
        // first also takes Windows' switch value of it along.
        result.removal = DeleteEntry(delta.now);
        if (!result.removal.ok()) return result;
    }
    // A copy: writing puts the marker into the record it is given.
    const StartupEntry recorded = delta.before;
    result.restore = RestoreEntry(recorded, CollectAllEntries());
    if (!result.restore.ok()) {
        if (replaces) result.currentLost = !AddEntry(delta.now).ok();
        return result;
    }
    result.done = true;
    return result;
}
