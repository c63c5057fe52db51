#include "entries/EntryCatalogue.h"

#include "entries/FolderLocations.h"
#include "entries/RegistryLocations.h"
#include "entries/StoredCommand.h"
#include "entries/WinIniLocations.h"

namespace {

void MoveInto(EntryList& all, EntryList&& part) {
    all.insert(all.end(), std::make_move_iterator(part.begin()), std::make_move_iterator(part.end()));
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
    for (StartupEntry& entry : all) {
        const size_t marker = MarkerLength(entry.command);
        if (marker == 0) continue;
        entry.command.erase(0, marker);
        entry.name.erase(0, MarkerLength(entry.name));
        entry.active = 0;
    }
    return all;
}
