#include "backup/SnapshotCompare.h"

#include <string>

#include "system/TextCase.h"

namespace {

int FamilyOf(int32_t kind) { return kind / 10; }

// A record that does not say who switched it off was switched off by this
// program, as a backup reads it.
SwitchedOffBy OffBy(const StartupEntry& entry) {
    if (entry.active) return SwitchedOffBy::Nobody;
    return entry.offBy == SwitchedOffBy::Nobody ? SwitchedOffBy::ThisProgram : entry.offBy;
}

}  // namespace

std::vector<EntryDelta> CompareWithSnapshot(const EntryList& snapshot, const EntryList& now) {
    std::vector<std::string> beforeKeys, nowKeys;
    for (const StartupEntry& entry : snapshot) beforeKeys.push_back(TextKey(entry.name));
    for (const StartupEntry& entry : now) nowKeys.push_back(TextKey(entry.name));
    std::vector<bool> nowTaken(now.size(), false);
    std::vector<long> partner(snapshot.size(), -1);

    // The same entry: same name, same family; one of the same kind first.
    for (const bool sameKindOnly : {true, false}) {
        for (size_t b = 0; b < snapshot.size(); ++b) {
            if (partner[b] >= 0) continue;
            for (size_t n = 0; n < now.size(); ++n) {
                if (nowTaken[n] || nowKeys[n] != beforeKeys[b]) continue;
                if (FamilyOf(now[n].kind) != FamilyOf(snapshot[b].kind)) continue;
                if (sameKindOnly && now[n].kind != snapshot[b].kind) continue;
                partner[b] = static_cast<long>(n);
                nowTaken[n] = true;
                break;
            }
        }
    }
    // A move: another family, same name and command.
    std::vector<long> movedFrom(now.size(), -1);
    for (size_t b = 0; b < snapshot.size(); ++b) {
        if (partner[b] >= 0) continue;
        for (size_t n = 0; n < now.size(); ++n) {
            if (nowTaken[n] || nowKeys[n] != beforeKeys[b] || now[n].command != snapshot[b].command) continue;
            nowTaken[n] = true;
            movedFrom[n] = static_cast<long>(b);
            partner[b] = static_cast<long>(now.size() + n);  // matched, as a move
            break;
        }
    }

    std::vector<EntryDelta> deltas;
    for (size_t b = 0; b < snapshot.size(); ++b) {
        const StartupEntry& before = snapshot[b];
        if (partner[b] < 0) {
            deltas.push_back({EntryDifference::Removed, before, StartupEntry{}});
            continue;
        }
        if (static_cast<size_t>(partner[b]) >= now.size()) continue;
        const StartupEntry& current = now[static_cast<size_t>(partner[b])];
        EntryDelta delta{EntryDifference::Changed, before, current};
        delta.commandChanged = before.command != current.command;
        delta.stateChanged = (before.active != 0) != (current.active != 0) || OffBy(before) != OffBy(current);
        delta.kindChanged = before.kind != current.kind;
        if (delta.commandChanged || delta.stateChanged || delta.kindChanged) deltas.push_back(delta);
    }
    for (size_t n = 0; n < now.size(); ++n) {
        if (movedFrom[n] >= 0) {
            deltas.push_back({EntryDifference::Moved, snapshot[static_cast<size_t>(movedFrom[n])], now[n]});
        } else if (!nowTaken[n]) {
            deltas.push_back({EntryDifference::Added, StartupEntry{}, now[n]});
        }
    }
    return deltas;
}
