// TEMPORARY stand-in for the catalogue's safe change routine
// (entries/EntryChange.h), with the same interface, until it lands here. It
// goes as a whole when the real one is merged; nothing else may grow on it.
#pragma once
#include <string>

#include "entries/StartupEntry.h"

enum class ChangeReason {
    None,
    AccessDenied,
    NameTaken,
    ChangedSinceListing,
    NameNotStorable,
    CommandNotStorable,
    NotAStringValue,
    NoLocation,
    WriteFailed
};

struct ChangeResult {
    bool changed;
    bool oldEntryLost;
    ChangeReason reason;
    std::string location;
    bool ok() const { return changed; }
};

ChangeResult AddEntry(const StartupEntry& entry);
ChangeResult ReplaceEntry(const StartupEntry& listed, const StartupEntry& replacement);
ChangeResult DeleteEntry(const StartupEntry& listed);

// The block list's answer to Block and Unblock: whether the list took the
// command, and whether the file was saved.
struct BlockListChange {
    bool accepted;
    bool saved;
};
BlockListChange BlockReporting(const std::string& command);
BlockListChange UnblockReporting(const std::string& command);
