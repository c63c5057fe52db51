// The logon check lives apart from the list, so that only the programs that run
// it need the whole entry catalogue.
#include "blocking/u_sperren.h"
#include "entries/Catalogue.h"

void RunBlockCheck() {
    if (BlockListLines().empty()) return;  // Nothing can match: spare the logon the reading.
    EntryList entries = CollectAllEntries();
    for (Launcher& entry : entries) {
        if (entry.active == 1 && IsBlocked(entry.command)) RemoveEntry(entry);
    }
}
