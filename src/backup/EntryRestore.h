// Putting one entry of a snapshot back as the snapshot recorded it: through the
// mechanism that had switched it off (this program's marker, Windows' own
// switch, another tool's "AutorunsDisabled" place), and a registry value with
// its recorded type, whatever its command holds.
#pragma once
#include "entries/EntryChange.h"
#include "entries/LocationFamily.h"
#include "entries/StartupEntry.h"

enum class RestoreFault {
    None,
    Refused,              // the change routine refused the entry: see change.reason
    ValueNotInBackup,     // a value that is not text: a snapshot has its name only
    WindowsSwitchNotSet,  // Windows' switch could not be set to off; the entry is not written
};

struct EntryRestore {
    RestoreFault fault = RestoreFault::None;
    ChangeResult change;
    bool ok() const { return fault == RestoreFault::None; }
};

// Writes the recorded entry. current is what the locations hold now: a value
// that is not text counts as restored when it is still there under its name,
// since a snapshot cannot hold its data. A scheduled task only gets its
// recorded state back; one that is gone is refused, never made.
EntryRestore RestoreEntry(const StartupEntry& recorded, const EntryList& current);

// Whether a restore may remove a current entry to make room for the snapshot's:
// not a value that is not text, which no snapshot could bring back, nor an
// entry set elsewhere (a policy's), which only its owner changes, nor a
// scheduled task, which no snapshot could make again: its flag is set instead.
inline bool RestoreMayRemove(const StartupEntry& current) {
    return HoldsText(current) && IsChangedHereKind(current.kind) && !IsOnlySwitchedKind(current.kind);
}
