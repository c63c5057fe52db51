// The logon check lives apart from the list, so that only the programs that run
// it need the whole entry catalogue.
#include "blocking/BlockList.h"
#include "entries/EntryCatalogue.h"

void RunBlockCheck() {
    if (BlockListLines().empty()) return;  // Nothing can match: spare the logon the reading.
    EntryList entries = CollectAllEntries();
    for (StartupEntry& entry : entries) {
        if (entry.active == 1 && IsBlocked(entry.command)) RemoveEntry(entry);
    }
}
