#include "entries/EntryChange.h"

#include <exception>
#include <memory>

#include "entries/EntryCatalogue.h"
#include "entries/LocationFamily.h"
#include "entries/StoredCommand.h"
#include "entries/WindowsSwitch.h"
#include "system/TextCase.h"

namespace {

ChangeResult Refused(ChangeReason reason, int32_t kind, EntryPlace place = EntryPlace::Location) {
    ChangeResult result;
    result.reason = reason;
    result.location = LocationPath(kind, place);
    return result;
}

ChangeResult Changed(int32_t kind, EntryPlace place = EntryPlace::Location) {
    ChangeResult result;
    result.changed = true;
    result.location = LocationPath(kind, place);
    return result;
}

// The entry's name names its slot, unless its family has no names.
bool NamesSlots(int32_t kind) {
    const LocationFamily* family = FamilyOf(kind);
    return !family || family->NamesSlots();
}

// The same stored slot: kind, place and name (registry and file names ignore case).
bool SameSlot(const StartupEntry& a, const StartupEntry& b) {
    return a.kind == b.kind && PlaceOf(a) == PlaceOf(b) && (!NamesSlots(a.kind) || SameText(a.name, b.name));
}

// Whether the entry is stored without the marker: active, or kept off by its
// place ("AutorunsDisabled") or by Windows' switch of the same slot.
bool StoredWithoutMarker(const StartupEntry& entry, const StartupEntry* listed) {
    if (entry.active != 0) return true;
    if (PlaceOf(entry) == EntryPlace::AutorunsDisabled) return true;
    return entry.offBy == SwitchedOffBy::Windows && listed && listed->offBy == SwitchedOffBy::Windows &&
           SameSlot(*listed, entry);
}

bool HasSwitchSlot(const StartupEntry& entry) {
    return PlaceOf(entry) == EntryPlace::Location && HasWindowsSwitch(entry.kind);
}

// Removes the switch values a change left behind; notes one that stays.
void RemoveSwitchOf(const StartupEntry& entry, ChangeResult& result) {
    if (!HasSwitchSlot(entry)) return;
    if (!RemoveWindowsSwitch(entry.kind, entry.name)) {
        result.windowsSwitchLeft = true;
        result.location = WindowsSwitchKeyPath(entry.kind);
    }
}

ChangeReason ReasonOf(const WriteOutcome& outcome) {
    switch (outcome.status) {
        case WriteStatus::Done:
            return ChangeReason::None;
        case WriteStatus::AccessDenied:
            return ChangeReason::AccessDenied;
        case WriteStatus::Failed:
            break;
    }
    return ChangeReason::WriteFailed;
}

bool ReadsAsListed(const std::string& stored, const StartupEntry& listed) {
    const CommandState state = ReadStoredCommand(stored);
    if (state.command != listed.command) return false;
    // Another tool's place says "off" whatever the text holds.
    return PlaceOf(listed) == EntryPlace::AutorunsDisabled || state.active == StoredWithoutMarker(listed, &listed);
}

// Whether the listed entry is still stored as it was listed, and what it holds.
// A name the listing could only show with '?' for characters outside the code
// page names nothing stored, so it counts as changed.
ChangeReason FindListed(const LocationFamily& family, const StartupEntry& listed, bool forRewrite,
                        std::unique_ptr<StoredForm>& held) {
    return family.ReadListed(
        listed, forRewrite, [&](const std::string& stored) { return ReadsAsListed(stored, listed); }, held);
}

// Whether the location of the entry's kind can hold it at all.
ChangeReason CheckStorable(const StartupEntry& entry) {
    const LocationFamily* family = FamilyOf(entry.kind);
    if (!family) return ChangeReason::NoLocation;
    if (!IsKindInScope(entry.kind)) return ChangeReason::NotMachineWide;
    return family->CheckStorable(entry);
}

// The new entry's stored form. A rewritten registry value keeps its type and a
// rewritten link its own fields (kept: what the listed entry held, when it
// came from the same family); anything else starts as a new value or link.
std::unique_ptr<StoredForm> WorkOutNew(const LocationFamily& family, const StartupEntry& entry,
                                       const StartupEntry* listed, const StoredForm* kept) {
    return family.WorkOutStored(entry, StoredWithoutMarker(entry, listed), kept, listed == nullptr);
}

// The slot holds the replacement already: its text reads as the replacement's
// command and state, so a write would change nothing (an entry that Windows
// switched off is switched on by its switch alone, its text untouched).
bool StoredAlready(const StartupEntry& listed, const StoredForm& held, const StartupEntry& replacement) {
    std::string text;
    if (!held.Text(text)) return false;
    const CommandState state = ReadStoredCommand(text);
    return state.command == replacement.command && state.active == StoredWithoutMarker(replacement, &listed);
}

ChangeResult Replace(const StartupEntry& listed, const StartupEntry& replacement) {
    const LocationFamily* const fromFamily = FamilyOf(listed.kind);
    const LocationFamily* const toFamily = FamilyOf(replacement.kind);
    if (!fromFamily) return Refused(ChangeReason::NoLocation, listed.kind);
    if (!toFamily) return Refused(ChangeReason::NoLocation, replacement.kind);
    if (!IsKindInScope(listed.kind)) return Refused(ChangeReason::NotMachineWide, listed.kind);
    const EntryPlace from = PlaceOf(listed);
    const EntryPlace to = PlaceOf(replacement);
    if ((fromFamily->OnlySwitched() || toFamily->OnlySwitched()) &&
        !(listed.kind == replacement.kind && from == to && listed.name == replacement.name &&
          listed.command == replacement.command)) {
        return Refused(ChangeReason::OnlySwitched, listed.kind, from);
    }
    std::unique_ptr<StoredForm> held;
    ChangeReason reason = FindListed(*fromFamily, listed, true, held);
    if (reason != ChangeReason::None) return Refused(reason, listed.kind, from);
    reason = CheckStorable(replacement);
    if (reason != ChangeReason::None) return Refused(reason, replacement.kind, to);

    const bool sameKind = listed.kind == replacement.kind && from == to;
    const bool sameName = sameKind && SameText(listed.name, replacement.name);
    if (!sameName && toFamily->Exists(replacement.kind, replacement.name, to)) {
        return Refused(ChangeReason::NameTaken, replacement.kind, to);
    }
    const std::unique_ptr<StoredForm> stored =
        WorkOutNew(*toFamily, replacement, &listed, fromFamily == toFamily ? held.get() : nullptr);
    if (!stored) return Refused(ChangeReason::ProgramNotFound, replacement.kind, to);
    const bool sameSlot = sameKind && (sameName || !toFamily->NamesSlots());

    // Switched on where it stands: Windows' switch goes on first, so that a
    // refusal leaves everything as it was, and it goes off again should the
    // entry itself then refuse its write.
    std::string switchBytes;
    const bool clearSwitch = sameSlot && replacement.active != 0 && HasSwitchSlot(listed) &&
                             ReadWindowsSwitch(listed.kind, listed.name, switchBytes) &&
                             WindowsSwitchSaysOff(switchBytes);
    if (clearSwitch) {
        const WriteOutcome cleared = ClearWindowsSwitch(listed.kind, listed.name);
        if (!cleared) {
            ChangeResult result = Refused(ReasonOf(cleared), listed.kind);
            result.location = WindowsSwitchKeyPath(listed.kind);
            return result;
        }
    }
    auto undoSwitch = [&] {
        if (clearSwitch) RestoreWindowsSwitch(listed.kind, listed.name, switchBytes);
    };

    // In place where the location can replace in one step: a value or link of
    // exactly that name is overwritten, a win.ini list rewritten once. Nothing is
    // missing in between, and a refusal leaves the old entry as it was. What is
    // stored as it should be already is not written at all.
    if (sameKind && (!toFamily->NamesSlots() || listed.name == replacement.name)) {
        const WriteOutcome inPlace = StoredAlready(listed, *held, replacement)
                                         ? WriteOutcome::Done()
                                         : toFamily->ReplaceInPlace(listed, *held, replacement, *stored);
        if (inPlace) return Changed(replacement.kind, to);
        undoSwitch();
        return Refused(ReasonOf(inPlace), replacement.kind, to);
    }

    const WriteOutcome removed = fromFamily->Remove(listed, *held);
    if (!removed) {
        undoSwitch();
        return Refused(ReasonOf(removed), listed.kind, from);
    }
    const WriteOutcome written = toFamily->Write(replacement, *stored);
    if (written) {
        ChangeResult result = Changed(replacement.kind, to);
        if (!sameSlot) {
            RemoveSwitchOf(listed, result);
            RemoveSwitchOf(replacement, result);
        }
        return result;
    }
    ChangeResult result = Refused(ReasonOf(written), replacement.kind, to);
    result.oldEntryLost = !fromFamily->PutBack(listed, *held);
    undoSwitch();
    return result;
}

ChangeResult Add(const StartupEntry& entry) {
    const ChangeReason reason = CheckStorable(entry);
    if (reason != ChangeReason::None) return Refused(reason, entry.kind, PlaceOf(entry));
    const LocationFamily& family = *FamilyOf(entry.kind);
    if (family.OnlySwitched()) return Refused(ChangeReason::OnlySwitched, entry.kind, PlaceOf(entry));
    if (family.Exists(entry.kind, entry.name, PlaceOf(entry))) {
        return Refused(ChangeReason::NameTaken, entry.kind, PlaceOf(entry));
    }
    const std::unique_ptr<StoredForm> stored = WorkOutNew(family, entry, nullptr, nullptr);
    if (!stored) return Refused(ChangeReason::ProgramNotFound, entry.kind, PlaceOf(entry));
    const WriteOutcome written = family.Write(entry, *stored);
    if (!written) return Refused(ReasonOf(written), entry.kind, PlaceOf(entry));
    ChangeResult result = Changed(entry.kind, PlaceOf(entry));
    RemoveSwitchOf(entry, result);  // a stale one must not switch the new entry off
    return result;
}

ChangeResult Delete(const StartupEntry& listed) {
    const LocationFamily* const family = FamilyOf(listed.kind);
    if (!family) return Refused(ChangeReason::NoLocation, listed.kind);
    if (!IsKindInScope(listed.kind)) return Refused(ChangeReason::NotMachineWide, listed.kind);
    std::unique_ptr<StoredForm> held;
    const ChangeReason reason = FindListed(*family, listed, false, held);
    if (reason != ChangeReason::None) return Refused(reason, listed.kind, PlaceOf(listed));
    const WriteOutcome removed = family->Remove(listed, *held);
    if (!removed) return Refused(ReasonOf(removed), listed.kind, PlaceOf(listed));
    ChangeResult result = Changed(listed.kind, PlaceOf(listed));
    RemoveSwitchOf(listed, result);
    return result;
}

// Nothing may escape to the caller: an exception (out of memory) ends the
// change where it stands and says so.
template <typename Change>
ChangeResult Guarded(int32_t kind, Change change) {
    try {
        return change();
    } catch (const std::exception&) {
        return Refused(ChangeReason::WriteFailed, kind);
    }
}

}  // namespace

std::string LocationPath(int32_t kind, EntryPlace place) {
    const LocationFamily* family = FamilyOf(kind);
    return family ? family->Path(kind, place) : std::string();
}

ChangeResult AddEntry(const StartupEntry& entry) {
    return Guarded(entry.kind, [&] { return Add(entry); });
}

ChangeResult ReplaceEntry(const StartupEntry& listed, const StartupEntry& replacement) {
    return Guarded(listed.kind, [&] { return Replace(listed, replacement); });
}

ChangeResult DeleteEntry(const StartupEntry& listed) {
    return Guarded(listed.kind, [&] { return Delete(listed); });
}
