#include "report/ComparisonFields.h"

#include "ui/win/TextNumbers.h"

namespace report {

ComparisonRow ComparisonRowOf(const EntryDelta& delta) {
    switch (delta.difference) {
        case EntryDifference::Added:
            return {"added", Text::ChangeAdded, delta.now, false, StartupEntry()};
        case EntryDifference::Removed:
            return {"removed", Text::ChangeRemoved, delta.before, false, StartupEntry()};
        case EntryDifference::Moved:
            return {"moved", Text::ChangeMoved, delta.now, true, delta.before};
        case EntryDifference::Changed:
            break;
    }
    return {"changed", Text::ChangeChanged, delta.now, true, delta.before};
}

std::vector<FieldColumn> ComparisonFieldColumns() {
    std::vector<FieldColumn> columns = {{"change", Text::ColumnChange, 0, 0, 0}};
    const std::vector<FieldColumn>& fields = EntryFieldColumns();
    columns.insert(columns.end(), fields.begin(), fields.end());
    columns.push_back({"kindBefore", Text::ColumnKindBefore, 0, 0, 0});
    columns.push_back({"commandBefore", Text::ColumnCommandBefore, 0, 0, 0});
    columns.push_back({"activeBefore", Text::ColumnActiveBefore, 0, 0, 0});
    return columns;
}

std::vector<FieldValue> ComparisonFieldValues(const ComparisonRow& row, const EntryFacts& facts, const TextFn& text) {
    std::vector<FieldValue> values = {{row.changeWord, text(row.changeText), FieldType::Text}};
    for (FieldValue& value : EntryFieldValues(facts, text)) values.push_back(std::move(value));
    if (!row.hasBefore) {
        for (int column = 0; column < 3; ++column) values.push_back({"", "", FieldType::Text});
        return values;
    }
    const std::string kind = std::to_string(row.before.kind);
    values.push_back({kind, kind, FieldType::Number});
    values.push_back({row.before.command, row.before.command, FieldType::Text});
    values.push_back(
        {row.before.active ? "true" : "false", text(row.before.active ? Text::Yes : Text::No), FieldType::Boolean});
    return values;
}

}  // namespace report
