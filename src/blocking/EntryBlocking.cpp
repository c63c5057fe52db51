#include "blocking/EntryBlocking.h"

#include "blocking/BlockList.h"
#include "system/DataFolder.h"
#include "system/ProductNames.h"

namespace {

void TakeListChange(const BlockListChange& change, BlockingResult& result) {
    result.listChanged = change.accepted;
    result.listSaved = change.saved;
    result.logonCheckSet = result.logonCheckSet && change.logonCheckSet;
    result.listFile = DataFile(kBaseName, kBlockListFileName);
}

// Switches the entry on or off; an entry that stands so already needs nothing.
void Switch(const StartupEntry& entry, bool on, BlockingResult& result) {
    if ((entry.active != 0) == on) return;
    StartupEntry switched = entry;
    switched.active = on ? 1 : 0;
    result.entryChange = ReplaceEntry(entry, switched);
    result.entrySwitched = result.entryChange.ok();
}

}  // namespace

BlockingResult BlockEntry(const StartupEntry& entry) {
    BlockingResult result;
    result.refusal = CheckBlockable(entry, kBlockCheckValueName);
    if (result.refusal != BlockRefusal::None) return result;
    TakeListChange(Block(entry.command), result);
    if (!result.listChanged) return result;
    Switch(entry, false, result);
    if (!result.entryChange.ok()) result.logonCheckSet = Unblock(entry.command).logonCheckSet;
    return result;
}

BlockingResult ReleaseEntry(const StartupEntry& entry) {
    BlockingResult result;
    TakeListChange(Unblock(entry.command), result);
    Switch(entry, true, result);
    return result;
}

BlockingResult ReleaseBlockListLine(size_t position, const StartupEntry& current) {
    BlockingResult result;
    const std::vector<std::string> lines = BlockListLines();
    if (position >= lines.size()) return result;
    TakeListChange(UnblockLineAt(position), result);
    if (ReleaseSwitchesEntryOn(current.kind, current.active != 0, current.command, lines[position])) {
        Switch(current, true, result);
    }
    return result;
}
