// TEMPORARY stand-in for entries/EntryChange.h, the catalogue's safe change
// routine, until it is merged; delete this file then and include the real one.
#pragma once
#include <string>

#include "entries/EntryCatalogue.h"
#include "entries/StartupEntry.h"
#include "system/AnsiText.h"

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
    bool changed = false;
    bool oldEntryLost = false;
    ChangeReason reason = ChangeReason::None;
    std::string location;
    bool ok() const { return changed; }
};

inline bool StandInNameTaken(const StartupEntry& entry, const StartupEntry* own) {
    if (entry.kind == 31 || entry.kind == 32) return false;
    for (const StartupEntry& other : CollectAllEntries()) {
        if (other.kind != entry.kind || !AnsiSameText(other.name, entry.name)) continue;
        if (own && own->kind == other.kind && AnsiSameText(own->name, other.name)) continue;
        return true;
    }
    return false;
}

inline ChangeResult AddEntry(const StartupEntry& entry) {
    ChangeResult result;
    if (!IsLocationKind(entry.kind)) {
        result.reason = ChangeReason::NoLocation;
    } else if (StandInNameTaken(entry, nullptr)) {
        result.reason = ChangeReason::NameTaken;
    } else {
        StartupEntry copy = entry;
        result.changed = WriteEntry(copy);
        if (!result.changed) result.reason = ChangeReason::WriteFailed;
    }
    return result;
}

inline ChangeResult ReplaceEntry(const StartupEntry& listed, const StartupEntry& replacement) {
    ChangeResult result;
    if (StandInNameTaken(replacement, &listed)) {
        result.reason = ChangeReason::NameTaken;
        return result;
    }
    StartupEntry old = listed;
    if (!RemoveEntry(old)) {
        result.reason = ChangeReason::AccessDenied;
        return result;
    }
    StartupEntry copy = replacement;
    if (WriteEntry(copy)) {
        result.changed = true;
        return result;
    }
    result.reason = ChangeReason::WriteFailed;
    StartupEntry back = listed;
    result.oldEntryLost = !WriteEntry(back);
    return result;
}

inline ChangeResult DeleteEntry(const StartupEntry& listed) {
    ChangeResult result;
    StartupEntry old = listed;
    result.changed = RemoveEntry(old);
    if (!result.changed) result.reason = ChangeReason::AccessDenied;
    return result;
}

// TEMPORARY as well: the main window's place label, until its model is merged
// here (ui/MainWindowModel.h).
#include <functional>
namespace ui {
inline std::string LocationLabel(int32_t kind, const std::function<std::string(int)>& text) {
    static const char* const suffixes[] = {" (Run)", " (Run Once)", " (Run Once Ex)", " (Run Services)",
                                           " (Run Services Once)"};
    if (kind == 1 || kind == 2) return text(29) + ": " + text(kind == 1 ? 32 : 31);
    if (kind >= 11 && kind <= 15) return text(28) + ": " + text(31) + suffixes[kind - 11];
    if (kind >= 21 && kind <= 25) return text(28) + ": " + text(32) + suffixes[kind - 21];
    if (kind == 31) return "Win.ini: Load-" + text(30);
    if (kind == 32) return "Win.ini: Run-" + text(30);
    return std::string();
}
}  // namespace ui
