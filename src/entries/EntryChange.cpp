#include "entries/EntryChange.h"

#include <exception>

#include "entries/FolderLocations.h"
#include "entries/LocationRules.h"
#include "entries/RegistryLocations.h"
#include "entries/ShellLink.h"
#include "entries/StartupFolders.h"
#include "entries/StoredCommand.h"
#include "entries/WinIniList.h"
#include "entries/WinIniLocations.h"
#include "system/AnsiText.h"

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

ChangeResult Refused(ChangeReason reason, int32_t kind) {
    ChangeResult result;
    result.reason = reason;
    result.location = LocationPath(kind);
    return result;
}

ChangeResult Changed(int32_t kind) {
    ChangeResult result;
    result.changed = true;
    result.location = LocationPath(kind);
    return result;
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
    return state.command == listed.command && state.active == (listed.active != 0);
}

// Whether the listed entry is still stored as it was listed, and what it holds.
// A name the listing could only show with '?' for characters outside the code
// page names nothing stored, so it counts as changed.
ChangeReason FindListed(const StartupEntry& listed, bool forRewrite, HeldEntry& held) {
    const int32_t kind = listed.kind;
    if (IsRegistryKind(kind)) {
        held.value = ReadRegistryEntry(kind, listed.name);
        if (!held.value.exists) return ChangeReason::ChangedSinceListing;
        if (!held.value.IsString()) {
            if (!listed.command.empty() || listed.active == 0) return ChangeReason::ChangedSinceListing;
            return forRewrite ? ChangeReason::NotAStringValue : ChangeReason::None;
        }
        return ReadsAsListed(held.value.text, listed) ? ChangeReason::None : ChangeReason::ChangedSinceListing;
    }
    if (IsFolderKind(kind)) {
        if (!FolderLinkExists(kind, listed.name)) return ChangeReason::ChangedSinceListing;
        if (!IsStorableLinkName(listed.name, StartupFolder(kind).size())) return ChangeReason::NameNotStorable;
        ReadFolderLink(kind, listed.name, held.link);
        return ReadsAsListed(held.link.Path + " " + held.link.Arguments, listed) ? ChangeReason::None
                                                                                 : ChangeReason::ChangedSinceListing;
    }
    if (IsWinIniKind(kind)) {
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
    if (IsFolderKind(entry.kind)) {
        const std::string folder = StartupFolder(entry.kind);
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
    if (IsRegistryKind(entry.kind)) return ReadRegistryEntry(entry.kind, entry.name).exists;
    if (IsFolderKind(entry.kind)) return FolderLinkExists(entry.kind, entry.name);
    return false;
}

// A value Windows must expand is REG_EXPAND_SZ; every other new value REG_SZ.
DWORD NewValueType(const std::string& command) { return HoldsEnvironmentReference(command) ? REG_EXPAND_SZ : REG_SZ; }

// The new entry's stored form. A rewritten registry value keeps its type and a
// rewritten link its own fields; anything else starts as a new value or link.
NewEntry WorkOutNew(const StartupEntry& entry, const StartupEntry* listed, const HeldEntry* held) {
    NewEntry stored;
    const bool active = entry.active != 0;
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
    if (IsRegistryKind(entry.kind)) return WriteRegistryEntry(entry.kind, entry.name, stored.text, stored.type);
    if (IsFolderKind(entry.kind)) return WriteFolderLink(entry.kind, entry.name, stored.link);
    if (IsWinIniKind(entry.kind)) return AppendWinIniEntry(entry.kind, stored.text);
    return WriteOutcome::Failed();
}

WriteOutcome RemoveListed(const StartupEntry& listed, const HeldEntry& held) {
    if (IsRegistryKind(listed.kind)) return RemoveRegistryEntry(listed.kind, listed.name);
    if (IsFolderKind(listed.kind)) return RemoveFolderEntry(listed.kind, listed.name);
    if (IsWinIniKind(listed.kind)) return WriteWinIniList(listed.kind, WinIniListWithoutFirst(held.list, held.item));
    return WriteOutcome::Failed();
}

WriteOutcome PutBack(const StartupEntry& listed, const HeldEntry& held) {
    if (IsRegistryKind(listed.kind)) {
        return WriteRegistryEntry(listed.kind, listed.name, held.value.text, held.value.type);
    }
    if (IsFolderKind(listed.kind)) return WriteFolderLink(listed.kind, listed.name, held.link);
    if (IsWinIniKind(listed.kind)) return WriteWinIniList(listed.kind, held.list);
    return WriteOutcome::Failed();
}

ChangeResult Replace(const StartupEntry& listed, const StartupEntry& replacement) {
    if (!IsLocationKind(listed.kind)) return Refused(ChangeReason::NoLocation, listed.kind);
    if (!IsLocationKind(replacement.kind)) return Refused(ChangeReason::NoLocation, replacement.kind);
    HeldEntry held;
    ChangeReason reason = FindListed(listed, true, held);
    if (reason != ChangeReason::None) return Refused(reason, listed.kind);
    reason = CheckStorable(replacement);
    if (reason != ChangeReason::None) return Refused(reason, replacement.kind);

    const bool sameKind = listed.kind == replacement.kind;
    const bool sameName = sameKind && AnsiSameText(listed.name, replacement.name);
    if (!IsWinIniKind(replacement.kind) && !sameName && HoldsName(replacement)) {
        return Refused(ChangeReason::NameTaken, replacement.kind);
    }
    const NewEntry stored = WorkOutNew(replacement, &listed, &held);

    // In place where the location can replace in one step: a value or link of
    // exactly that name is overwritten, a win.ini list rewritten once. Nothing is
    // missing in between, and a refusal leaves the old entry as it was.
    WriteOutcome inPlace = WriteOutcome::Failed();
    bool oneStep = false;
    if (sameKind && IsWinIniKind(listed.kind)) {
        oneStep = true;
        inPlace =
            WriteWinIniList(listed.kind, AppendToWinIniList(WinIniListWithoutFirst(held.list, held.item), stored.text));
    } else if (sameKind && listed.name == replacement.name) {
        oneStep = true;
        inPlace = WriteNew(replacement, stored);
    }
    if (oneStep) {
        return inPlace ? Changed(replacement.kind) : Refused(ReasonOf(inPlace), replacement.kind);
    }

    const WriteOutcome removed = RemoveListed(listed, held);
    if (!removed) return Refused(ReasonOf(removed), listed.kind);
    const WriteOutcome written = WriteNew(replacement, stored);
    if (written) return Changed(replacement.kind);
    ChangeResult result = Refused(ReasonOf(written), replacement.kind);
    result.oldEntryLost = !PutBack(listed, held);
    return result;
}

ChangeResult Add(const StartupEntry& entry) {
    const ChangeReason reason = CheckStorable(entry);
    if (reason != ChangeReason::None) return Refused(reason, entry.kind);
    if (HoldsName(entry)) return Refused(ChangeReason::NameTaken, entry.kind);
    const WriteOutcome written = WriteNew(entry, WorkOutNew(entry, nullptr, nullptr));
    return written ? Changed(entry.kind) : Refused(ReasonOf(written), entry.kind);
}

ChangeResult Delete(const StartupEntry& listed) {
    HeldEntry held;
    const ChangeReason reason = FindListed(listed, false, held);
    if (reason != ChangeReason::None) return Refused(reason, listed.kind);
    const WriteOutcome removed = RemoveListed(listed, held);
    return removed ? Changed(listed.kind) : Refused(ReasonOf(removed), listed.kind);
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

std::string LocationPath(int32_t kind) {
    if (IsRegistryKind(kind)) return RegistryLocationPath(kind);
    if (IsFolderKind(kind)) {
        std::string folder = StartupFolder(kind);
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
