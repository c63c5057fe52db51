// The logon check lives apart from the list, so that only the programs that run
// it need the whole entry catalogue.
#include <exception>

#include "blocking/BlockCheckLog.h"
#include "blocking/BlockList.h"
#include "blocking/BlockMatch.h"
#include "entries/EntryCatalogue.h"
#include "entries/EntryChange.h"

namespace {

// Values of other types, zero-byte links and empty (Default) values list with
// an empty command and start no program: whatever the file holds, no line may
// ever be taken to match them.
bool RemovedByCheck(const StartupEntry& entry) {
    return entry.active == 1 && HoldsText(entry) && !BlockMatchForm(entry.command).empty() && IsBlocked(entry.command);
}

}  // namespace

void RunBlockCheck() {
    if (BlockListLines().empty()) return;  // Nothing can match: spare the logon the reading.
    EntryList entries;
    try {
        entries = CollectAllEntries();
    } catch (const std::exception&) {
        return;  // Out of memory at logon: nothing to do but end quietly.
    }
    // An entry that cannot be removed (a refused write, a list too long to
    // store) must not stop the others; the log tells the user of both.
    std::vector<BlockCheckAction> actions;
    for (const StartupEntry& entry : entries) {
        if (RemovedByCheck(entry)) {
            actions.push_back(BlockCheckActionOf(entry, DeleteEntry(entry)));
        }
    }
    AppendBlockCheckLog(actions);
}
