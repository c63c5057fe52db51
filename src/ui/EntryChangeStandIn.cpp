// TEMPORARY: remove, write, and write back on failure, with the catalogue's two
// operations. Replaced by the catalogue's own routine when it lands.
#include "ui/EntryChangeStandIn.h"

#include "blocking/BlockList.h"
#include "entries/EntryCatalogue.h"
#include "entries/StartupEntry.h"
#include "system/Errors.h"

namespace {

ChangeResult Failed(ChangeReason reason, bool lost = false) { return ChangeResult{false, lost, reason, ""}; }

}  // namespace

ChangeResult AddEntry(const StartupEntry& entry) {
    if (!IsLocationKind(entry.kind)) return Failed(ChangeReason::NoLocation);
    StartupEntry copy = entry;
    try {
        if (!WriteEntry(copy)) return Failed(ChangeReason::WriteFailed);
    } catch (const EAppError&) {
        return Failed(ChangeReason::WriteFailed);
    }
    return ChangeResult{true, false, ChangeReason::None, ""};
}

ChangeResult ReplaceEntry(const StartupEntry& listed, const StartupEntry& replacement) {
    if (!IsLocationKind(listed.kind) || !IsLocationKind(replacement.kind)) return Failed(ChangeReason::NoLocation);
    StartupEntry old = listed;
    try {
        if (!RemoveEntry(old)) return Failed(ChangeReason::AccessDenied);
    } catch (const EAppError&) {
        return Failed(ChangeReason::WriteFailed);
    }
    StartupEntry copy = replacement;
    bool written = false;
    try {
        written = WriteEntry(copy);
    } catch (const EAppError&) {
    }
    if (written) return ChangeResult{true, false, ChangeReason::None, ""};
    StartupEntry back = listed;
    bool restored = false;
    try {
        restored = WriteEntry(back);
    } catch (const EAppError&) {
    }
    return Failed(ChangeReason::WriteFailed, !restored);
}

ChangeResult DeleteEntry(const StartupEntry& listed) {
    if (!IsLocationKind(listed.kind)) return Failed(ChangeReason::NoLocation);
    StartupEntry copy = listed;
    try {
        if (!RemoveEntry(copy)) return Failed(ChangeReason::AccessDenied);
    } catch (const EAppError&) {
        return Failed(ChangeReason::WriteFailed);
    }
    return ChangeResult{true, false, ChangeReason::None, ""};
}

BlockListChange BlockReporting(const std::string& command) {
    Block(command);
    const bool accepted = IsBlocked(command);
    return BlockListChange{accepted, accepted && SaveBlockList()};
}

BlockListChange UnblockReporting(const std::string& command) {
    Unblock(command);
    return BlockListChange{true, SaveBlockList()};
}
