#include "entries/EntryCatalogue.h"

#include "entries/FolderLocations.h"
#include "entries/RegistryLocations.h"
#include "entries/WinIniLocations.h"
#include "entries/DeactivationMarker.h"
#include "system/AnsiText.h"

namespace {

void MoveInto(EntryList& all, EntryList&& part) {
    all.insert(all.end(), std::make_move_iterator(part.begin()), std::make_move_iterator(part.end()));
}

// HasMarker with the marker upper-cased once for a whole list.
bool StartsWithMarker(const std::string& text, const std::string& upperMarker) {
    return text.size() >= upperMarker.size() && AnsiUpper(text.substr(0, upperMarker.size())) == upperMarker;
}

}  // namespace

EntryList CollectAllEntries() {
    EntryList all;
    for (const int32_t kind : AllLocationKinds()) {
        if (IsFolderKind(kind)) {
            MoveInto(all, ListFolderEntries(kind));
        } else if (IsRegistryKind(kind)) {
            MoveInto(all, ListRegistryEntries(kind));
        } else if (IsWinIniKind(kind)) {
            MoveInto(all, ListWinIniEntries(kind));
        }
    }
    const std::string marker = DeactivationMarker();
    const std::string upperMarker = AnsiUpper(marker);
    for (StartupEntry& entry : all) {
        if (!StartsWithMarker(entry.command, upperMarker)) continue;
        entry.command.erase(0, marker.size());
        if (StartsWithMarker(entry.name, upperMarker)) entry.name.erase(0, marker.size());
        entry.active = 0;
    }
    return all;
}

bool WriteEntry(StartupEntry& entry) {
    const std::string marker = DeactivationMarker();
    if (entry.active == 0 && !ContainsMarker(entry.command)) entry.command = marker + entry.command;
    if (entry.active == 1 && HasMarker(entry.command)) entry.command = StripMarker(entry.command);

    if (IsFolderKind(entry.kind)) return WriteFolderEntry(entry.kind, entry.name, entry.command);
    if (IsRegistryKind(entry.kind)) {
        const std::string stored = entry.active == 0 ? PlainCommand(entry.command) : QuotedCommand(entry.command);
        return WriteRegistryEntry(entry.kind, entry.name, stored);
    }
    if (IsWinIniKind(entry.kind)) return AppendWinIniEntry(entry.kind, entry.command);
    return false;
}

bool RemoveEntry(StartupEntry& entry) {
    if (entry.active == 0) entry.command = DeactivationMarker() + entry.command;

    if (IsFolderKind(entry.kind)) return RemoveFolderEntry(entry.kind, entry.name);
    if (IsRegistryKind(entry.kind)) return RemoveRegistryEntry(entry.kind, entry.name);
    if (IsWinIniKind(entry.kind)) return RemoveWinIniEntry(entry.kind, entry.command);
    return false;
}
