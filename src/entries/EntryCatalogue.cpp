#include "entries/EntryCatalogue.h"

#include "entries/LocationFamily.h"
#include "entries/StoredCommand.h"
#include "entries/WindowsSwitch.h"
#include "system/TextCase.h"

namespace {

bool g_machineWideOnly = false;

void MoveInto(EntryList& all, EntryList&& part) {
    all.insert(all.end(), std::make_move_iterator(part.begin()), std::make_move_iterator(part.end()));
}

// Marks the active entries of a kind that Windows switched off. Read once per
// kind; most systems have no such value, and then no key is made.
void ApplyWindowsSwitch(EntryList& all, size_t first, int32_t kind) {
    if (!HasWindowsSwitch(kind)) return;
    const auto switchedOff = NamesSwitchedOffByWindows(kind);
    if (switchedOff.empty()) return;
    for (size_t i = first; i < all.size(); ++i) {
        StartupEntry& entry = all[i];
        if (entry.offBy != SwitchedOffBy::Nobody) continue;  // the marker or another tool came first
        if (switchedOff.count(TextKey(entry.name)) == 0) continue;
        entry.active = 0;
        entry.offBy = SwitchedOffBy::Windows;
    }
}

}  // namespace

void SetMachineWideOnly(bool machineWideOnly) { g_machineWideOnly = machineWideOnly; }
bool MachineWideOnly() { return g_machineWideOnly; }
bool IsKindInScope(int32_t kind) { return IsLocationKind(kind) && (!g_machineWideOnly || IsMachineWideKind(kind)); }

EntryList CollectAllEntries() {
    EntryList all;
    for (const int32_t kind : AllLocationKinds()) {
        if (!IsKindInScope(kind)) continue;
        const LocationFamily* family = FamilyOf(kind);
        if (!family) continue;
        const size_t first = all.size();
        MoveInto(all, family->List(kind, EntryPlace::Location));
        const size_t shelved = all.size();
        if (family->HasAutorunsDisabledPlace()) MoveInto(all, family->List(kind, EntryPlace::AutorunsDisabled));
        for (size_t i = first; i < all.size(); ++i) {
            StartupEntry& entry = all[i];
            const size_t marker = MarkerLength(entry.command);
            if (marker == 0) continue;
            entry.command.erase(0, marker);
            entry.name.erase(0, MarkerLength(entry.name));
            entry.active = 0;
            if (i < shelved) entry.offBy = SwitchedOffBy::ThisProgram;
        }
        ApplyWindowsSwitch(all, first, kind);
    }
    return all;
}
