// The entry catalogue: the only road to the autostart entries. It keeps nothing:
// every call goes to the locations afresh. Entries come out with the deactivation
// marker stripped, their active flag set and who switched them off; they go back
// in through the change routine of entries/EntryChange.h.
#pragma once
#include "entries/StartupEntry.h"

// Every entry of all locations in the order of AllLocationKinds(); within a
// kind, the entries in the location first, then those another tool moved into
// its "AutorunsDisabled" place (active 0, offBy OtherTool). An entry with the
// marker is offBy ThisProgram; one whose Windows switch is off (and that has no
// marker) is offBy Windows. Both have active 0. Nothing is sorted, merged or
// dropped. In the machine-wide mode only machine-wide kinds are listed.
EntryList CollectAllEntries();

// The machine-wide mode of a copy started with administrator rights for
// another account: it lists and changes only the machine-wide locations
// (IsMachineWideKind), since the user's own ones would be the administrator's.
// Set once at start-up; off by default.
void SetMachineWideOnly(bool machineWideOnly);
bool MachineWideOnly();
// A kind this copy lists and changes: any location kind, or in the machine-wide
// mode a machine-wide one.
bool IsKindInScope(int32_t kind);
