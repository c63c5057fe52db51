#include "backup/EntryRestore.h"

#include <windows.h>

#include "entries/LocationFamily.h"
#include "entries/LocationKinds.h"
#include "entries/WindowsSwitch.h"
#include "system/TextCase.h"

namespace {

// What Windows itself writes when it switches an entry off: an odd first byte,
// then the time of the change.
std::string WindowsSwitchOffBytes() {
    std::string bytes(12, '\0');
    bytes[0] = 3;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    for (int i = 0; i < 4; ++i) {
        bytes[4 + i] = static_cast<char>((now.dwLowDateTime >> (8 * i)) & 0xFF);
        bytes[8 + i] = static_cast<char>((now.dwHighDateTime >> (8 * i)) & 0xFF);
    }
    return bytes;
}

EntryRestore Refused(const ChangeResult& change) {
    EntryRestore result;
    result.fault = RestoreFault::Refused;
    result.change = change;
    return result;
}

// The family gives the entry what its command cannot say (a value's type).
void GiveRecordedType(const StartupEntry& recorded, EntryRestore& result) {
    const LocationFamily* family = FamilyOf(recorded.kind);
    if (!family) return;
    const WriteOutcome retyped = family->KeepRecordedForm(recorded);
    if (!retyped) {
        result.fault = RestoreFault::Refused;
        result.change.changed = false;
        result.change.reason =
            retyped.status == WriteStatus::AccessDenied ? ChangeReason::AccessDenied : ChangeReason::WriteFailed;
    }
}

}  // namespace

EntryRestore RestoreEntry(const StartupEntry& recorded, const EntryList& current) {
    EntryRestore result;
    // Set elsewhere: the snapshot only tells what it was; its owner puts it back.
    if (!IsChangedHereKind(recorded.kind)) return result;
    // Only switched where it stands: the entry of that name as it is listed now
    // is switched on or off as recorded; one that is gone is never made again.
    const LocationFamily* family = FamilyOf(recorded.kind);
    if (family && family->OnlySwitched()) {
        for (const StartupEntry& entry : current) {
            if (entry.kind != recorded.kind || !SameText(entry.name, recorded.name)) continue;
            if ((entry.active != 0) == (recorded.active != 0)) return result;
            StartupEntry switched = entry;
            switched.active = recorded.active;
            switched.offBy = recorded.active ? SwitchedOffBy::Nobody : SwitchedOffBy::Windows;
            result.change = ReplaceEntry(entry, switched);
            return result.change.ok() ? result : Refused(result.change);
        }
        result.change.reason = ChangeReason::ChangedSinceListing;
        result.change.location = LocationPath(recorded.kind);
        result.fault = RestoreFault::Refused;
        return result;
    }
    if (recorded.stored == StoredValue::NotText) {
        for (const StartupEntry& entry : current) {
            if (entry.kind == recorded.kind && !HoldsText(entry) && PlaceOf(entry) == PlaceOf(recorded) &&
                SameText(entry.name, recorded.name)) {
                return result;
            }
        }
        result.fault = RestoreFault::ValueNotInBackup;
        return result;
    }
    if (recorded.active == 0 && recorded.offBy == SwitchedOffBy::Windows && HasWindowsSwitch(recorded.kind)) {
        // Stored as it runs, and kept off by Windows' switch of its name.
        StartupEntry plain = recorded;
        plain.active = 1;
        plain.offBy = SwitchedOffBy::Nobody;
        result.change = AddEntry(plain);
        if (!result.change.ok()) return Refused(result.change);
        if (!RestoreWindowsSwitch(recorded.kind, recorded.name, WindowsSwitchOffBytes())) {
            // Never left running when it was off: it goes again.
            DeleteEntry(plain);
            result.fault = RestoreFault::WindowsSwitchNotSet;
            result.change.changed = false;
            result.change.location = WindowsSwitchKeyPath(recorded.kind);
            return result;
        }
        GiveRecordedType(recorded, result);
        return result;
    }
    // The marker, or the "AutorunsDisabled" place: the change routine writes both.
    StartupEntry written = recorded;
    if (written.active == 0 && written.offBy == SwitchedOffBy::Windows) written.offBy = SwitchedOffBy::ThisProgram;
    result.change = AddEntry(written);
    if (!result.change.ok()) return Refused(result.change);
    GiveRecordedType(written, result);
    return result;
}
