#include "entries/EntryChange.h"

#include <exception>

#include "entries/EntryCatalogue.h"
#include "entries/FolderLocations.h"
#include "entries/LocationRules.h"
#include "entries/RegistryLocations.h"
#include "entries/ShellLink.h"
#include "entries/StartupFolders.h"
#include "entries/StoredCommand.h"
#include "entries/WinIniList.h"
#include "entries/WinIniLocations.h"
#include "entries/WindowsSwitch.h"
#include "system/TextCase.h"

namespace {

// What a location holds for a listed entry, read before anything changes, so
// that the old entry can be put back exactly as it was.
struct HeldEntry {
    RegistryValue value;   // registry: type and text
    ShellLinkFields link;  // folders: every field of the link
    std::string list;      // win.ini: the whole list
    std::string item;      // win.ini: the item as stored
};

// What the new entry is written as, worked out before anything changes.
struct NewEntry {
    std::string text;  // registry text or win.ini item
    DWORD type = REG_SZ;
    ShellLinkFields link;
};

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

// The same stored slot: kind, place and name (registry and file names ignore case).
bool SameSlot(const StartupEntry& a, const StartupEntry& b) {
    return a.kind == b.kind && PlaceOf(a) == PlaceOf(b) && (IsWinIniKind(a.kind) || SameText(a.name, b.name));
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
ChangeReason FindListed(const StartupEntry& listed, bool forRewrite, HeldEntry& held) {
    const int32_t kind = listed.kind;
    const EntryPlace place = PlaceOf(listed);
    if (IsRegistryKind(kind)) {
        held.value = ReadRegistryEntry(kind, listed.name, place);
        if (!held.value.exists) return ChangeReason::ChangedSinceListing;
        if (!held.value.IsString()) {
            if (!listed.command.empty() || listed.active == 0) return ChangeReason::ChangedSinceListing;
            return forRewrite ? ChangeReason::NotAStringValue : ChangeReason::None;
        }
        return ReadsAsListed(held.value.text, listed) ? ChangeReason::None : ChangeReason::ChangedSinceListing;
    }
    if (IsFolderKind(kind)) {
        if (!FolderLinkExists(kind, listed.name, place)) return ChangeReason::ChangedSinceListing;
        if (!IsStorableLinkName(listed.name, FolderOfPlace(kind, place).size())) return ChangeReason::NameNotStorable;
        ReadFolderLink(kind, listed.name, held.link, place);
        return ReadsAsListed(held.link.Path + " " + held.link.Arguments, listed) ? ChangeReason::None
                                                                                 : ChangeReason::ChangedSinceListing;
    }
    if (IsWinIniKind(kind) && place == EntryPlace::Location) {
        // A list that cannot be read whole could only be stored cut.
        if (!ReadWinIniList(kind, held.list)) return ChangeReason::WriteFailed;
        for (const std::string& item : SplitWinIniList(held.list)) {
            if (ReadsAsListed(item, listed)) {
                held.item = item;
                return ChangeReason::None;
            }
        }
        return ChangeReason::ChangedSinceListing;
    }
    return ChangeReason::NoLocation;
}

// Whether the location of the entry's kind can hold it at all.
ChangeReason CheckStorable(const StartupEntry& entry) {
    if (!IsLocationKind(entry.kind)) return ChangeReason::NoLocation;
    if (!IsKindInScope(entry.kind)) return ChangeReason::NotMachineWide;
    if (IsRegistryKind(entry.kind) && !RegistryKindAvailable(entry.kind)) return ChangeReason::NoLocation;
    if (IsWinIniKind(entry.kind) && PlaceOf(entry) != EntryPlace::Location) return ChangeReason::NoLocation;
    if (IsFolderKind(entry.kind)) {
        const std::string folder = FolderOfPlace(entry.kind, PlaceOf(entry));
        if (folder.empty()) return ChangeReason::NoLocation;
        if (!IsStorableLinkName(entry.name, folder.size())) return ChangeReason::NameNotStorable;
    }
    if (IsWinIniKind(entry.kind) && !IsStorableWinIniItem(StoredWinIniItem(entry.command, entry.active != 0))) {
        return ChangeReason::CommandNotStorable;
    }
    return IsLocationKind(entry.kind) ? ChangeReason::None : ChangeReason::NoLocation;
}

// Registry names and file names ignore case; win.ini items have no names.
bool HoldsName(const StartupEntry& entry) {
    if (IsRegistryKind(entry.kind)) return ReadRegistryEntry(entry.kind, entry.name, PlaceOf(entry)).exists;
    if (IsFolderKind(entry.kind)) return FolderLinkExists(entry.kind, entry.name, PlaceOf(entry));
    return false;
}

// A value Windows must expand is REG_EXPAND_SZ; every other new value REG_SZ.
DWORD NewValueType(const std::string& command) { return HoldsEnvironmentReference(command) ? REG_EXPAND_SZ : REG_SZ; }

// The new entry's stored form. A rewritten registry value keeps its type and a
// rewritten link its own fields; anything else starts as a new value or link.
NewEntry WorkOutNew(const StartupEntry& entry, const StartupEntry* listed, const HeldEntry* held) {
    NewEntry stored;
    const bool active = StoredWithoutMarker(entry, listed);
    if (IsRegistryKind(entry.kind)) {
        stored.text = StoredRegistryText(entry.command, active);
        stored.type = listed && IsRegistryKind(listed->kind) ? held->value.type : NewValueType(entry.command);
    } else if (IsFolderKind(entry.kind)) {
        const CommandParts target = StoredLinkTarget(entry.command, active);
        if (listed && IsFolderKind(listed->kind)) {
            stored.link = held->link;
            stored.link.Path = target.program;
            stored.link.Arguments = target.arguments;
        } else {
            ShellLink& link = SharedShellLink();
            link.SetTarget(target.program, target.arguments);
            stored.link = link.Fields();
        }
    } else if (IsWinIniKind(entry.kind)) {
        stored.text = StoredWinIniItem(entry.command, active);
    }
    return stored;
}

WriteOutcome WriteNew(const StartupEntry& entry, const NewEntry& stored) {
    const EntryPlace place = PlaceOf(entry);
    if (IsRegistryKind(entry.kind)) return WriteRegistryEntry(entry.kind, entry.name, stored.text, stored.type, place);
    if (IsFolderKind(entry.kind)) return WriteFolderLink(entry.kind, entry.name, stored.link, place);
    if (IsWinIniKind(entry.kind)) return AppendWinIniEntry(entry.kind, stored.text);
    return WriteOutcome::Failed();
}

WriteOutcome RemoveListed(const StartupEntry& listed, const HeldEntry& held) {
    const EntryPlace place = PlaceOf(listed);
    if (IsRegistryKind(listed.kind)) return RemoveRegistryEntry(listed.kind, listed.name, place);
    if (IsFolderKind(listed.kind)) return RemoveFolderEntry(listed.kind, listed.name, place);
    if (IsWinIniKind(listed.kind)) return WriteWinIniList(listed.kind, WinIniListWithoutFirst(held.list, held.item));
    return WriteOutcome::Failed();
}

WriteOutcome PutBack(const StartupEntry& listed, const HeldEntry& held) {
    const EntryPlace place = PlaceOf(listed);
    if (IsRegistryKind(listed.kind)) {
        return WriteRegistryEntry(listed.kind, listed.name, held.value.text, held.value.type, place);
    }
    if (IsFolderKind(listed.kind)) return WriteFolderLink(listed.kind, listed.name, held.link, place);
    if (IsWinIniKind(listed.kind)) return WriteWinIniList(listed.kind, held.list);
    return WriteOutcome::Failed();
}

// The slot holds the replacement already: its text reads as the replacement's
// command and state, so a write would change nothing (an entry that Windows
// switched off is switched on by its switch alone, its text untouched).
bool StoredAlready(const StartupEntry& listed, const HeldEntry& held, const StartupEntry& replacement) {
    std::string text;
    if (IsRegistryKind(listed.kind)) {
        if (!held.value.IsString()) return false;
        text = held.value.text;
    } else if (IsFolderKind(listed.kind)) {
        text = held.link.Path + " " + held.link.Arguments;
    } else {
        text = held.item;
    }
    const CommandState state = ReadStoredCommand(text);
    return state.command == replacement.command && state.active == StoredWithoutMarker(replacement, &listed);
}

ChangeResult Replace(const StartupEntry& listed, const StartupEntry& replacement) {
    if (!IsLocationKind(listed.kind)) return Refused(ChangeReason::NoLocation, listed.kind);
    if (!IsLocationKind(replacement.kind)) return Refused(ChangeReason::NoLocation, replacement.kind);
    if (!IsKindInScope(listed.kind)) return Refused(ChangeReason::NotMachineWide, listed.kind);
    const EntryPlace from = PlaceOf(listed);
    const EntryPlace to = PlaceOf(replacement);
    HeldEntry held;
    ChangeReason reason = FindListed(listed, true, held);
    if (reason != ChangeReason::None) return Refused(reason, listed.kind, from);
    reason = CheckStorable(replacement);
    if (reason != ChangeReason::None) return Refused(reason, replacement.kind, to);

    const bool sameKind = listed.kind == replacement.kind && from == to;
    const bool sameName = sameKind && SameText(listed.name, replacement.name);
    if (!IsWinIniKind(replacement.kind) && !sameName && HoldsName(replacement)) {
        return Refused(ChangeReason::NameTaken, replacement.kind, to);
    }
    const NewEntry stored = WorkOutNew(replacement, &listed, &held);
    const bool sameSlot = sameKind && (sameName || IsWinIniKind(listed.kind));

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
    WriteOutcome inPlace = WriteOutcome::Failed();
    bool oneStep = false;
    if (sameKind && (IsWinIniKind(listed.kind) || listed.name == replacement.name) &&
        StoredAlready(listed, held, replacement)) {
        oneStep = true;
        inPlace = WriteOutcome::Done();
    } else if (sameKind && IsWinIniKind(listed.kind)) {
        oneStep = true;
        inPlace =
            WriteWinIniList(listed.kind, AppendToWinIniList(WinIniListWithoutFirst(held.list, held.item), stored.text));
    } else if (sameKind && listed.name == replacement.name) {
        oneStep = true;
        inPlace = WriteNew(replacement, stored);
    }
    if (oneStep) {
        if (inPlace) return Changed(replacement.kind, to);
        undoSwitch();
        return Refused(ReasonOf(inPlace), replacement.kind, to);
    }

    const WriteOutcome removed = RemoveListed(listed, held);
    if (!removed) {
        undoSwitch();
        return Refused(ReasonOf(removed), listed.kind, from);
    }
    const WriteOutcome written = WriteNew(replacement, stored);
    if (written) {
        ChangeResult result = Changed(replacement.kind, to);
        if (!sameSlot) {
            RemoveSwitchOf(listed, result);
            RemoveSwitchOf(replacement, result);
        }
        return result;
    }
    ChangeResult result = Refused(ReasonOf(written), replacement.kind, to);
    result.oldEntryLost = !PutBack(listed, held);
    undoSwitch();
    return result;
}

ChangeResult Add(const StartupEntry& entry) {
    const ChangeReason reason = CheckStorable(entry);
    if (reason != ChangeReason::None) return Refused(reason, entry.kind, PlaceOf(entry));
    if (HoldsName(entry)) return Refused(ChangeReason::NameTaken, entry.kind, PlaceOf(entry));
    const WriteOutcome written = WriteNew(entry, WorkOutNew(entry, nullptr, nullptr));
    if (!written) return Refused(ReasonOf(written), entry.kind, PlaceOf(entry));
    ChangeResult result = Changed(entry.kind, PlaceOf(entry));
    RemoveSwitchOf(entry, result);  // a stale one must not switch the new entry off
    return result;
}

ChangeResult Delete(const StartupEntry& listed) {
    if (!IsKindInScope(listed.kind)) {
        return Refused(IsLocationKind(listed.kind) ? ChangeReason::NotMachineWide : ChangeReason::NoLocation,
                       listed.kind);
    }
    HeldEntry held;
    const ChangeReason reason = FindListed(listed, false, held);
    if (reason != ChangeReason::None) return Refused(reason, listed.kind, PlaceOf(listed));
    const WriteOutcome removed = RemoveListed(listed, held);
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
    if (IsRegistryKind(kind)) return RegistryLocationPath(kind, place);
    if (IsFolderKind(kind)) {
        std::string folder = FolderOfPlace(kind, place);
        if (!folder.empty()) folder.pop_back();
        return folder;
    }
    if (IsWinIniKind(kind)) return WinIniPath();
    return std::string();
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
