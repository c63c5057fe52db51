// A difference between a snapshot and the entries now as every listing of a
// comparison shows it: the command line's table, CSV and JSON, and the compare
// window. Pure, like the entry fields it builds on.
#pragma once
#include <string>
#include <vector>

#include "backup/SnapshotCompare.h"
#include "report/EntryFields.h"

namespace report {

struct ComparisonRow {
    const char* changeWord;  // for scripts: "added", "removed", "changed", "moved"
    int changeText;          // the same for people, a text number
    // The entry the row is about: as it is now, a removed one as the snapshot
    // held it.
    StartupEntry shown;
    // A changed or moved entry as the snapshot held it; absent for added and
    // removed ones, which have no other side.
    bool hasBefore;
    StartupEntry before;
};

ComparisonRow ComparisonRowOf(const EntryDelta& delta);

// The columns of a comparison for scripts and people: the change, every entry
// field (EntryFieldColumns), then the kind, command and state before.
std::vector<FieldColumn> ComparisonFieldColumns();
// One value per column; facts are those of row.shown.
std::vector<FieldValue> ComparisonFieldValues(const ComparisonRow& row, const EntryFacts& facts, const TextFn& text);

}  // namespace report
