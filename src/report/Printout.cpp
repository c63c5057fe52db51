#include "report/Printout.h"

#include <map>

namespace report {

namespace {

// A text's lines: a name or command may hold line breaks of any kind.
std::vector<std::string> Paragraphs(const std::string& text) {
    std::vector<std::string> lines(1);
    for (size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ++at;
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

}  // namespace

PrintTable PrintoutTable(const std::vector<EntryFacts>& entries, const TextFn& text) {
    const std::vector<FieldColumn>& fields = EntryFieldColumns();
    // The printed columns in their order, each named and weighted by its first field.
    std::map<int, size_t> columnOf;
    PrintTable table;
    for (const FieldColumn& field : fields) {
        if (field.printColumn <= 0) continue;
        columnOf.emplace(field.printColumn, 0);
    }
    for (auto& [number, index] : columnOf) {
        index = table.columns.size();
        for (const FieldColumn& field : fields) {
            if (field.printColumn != number) continue;
            table.columns.push_back({text(field.printCaption ? field.printCaption : field.captionText),
                                     field.printWeight > 0 ? field.printWeight : 1});
            break;
        }
    }
    table.rows.reserve(entries.size());
    for (const EntryFacts& facts : entries) {
        const std::vector<FieldValue> values = EntryFieldValues(facts, text);
        PrintRow row(table.columns.size());
        for (size_t f = 0; f < fields.size() && f < values.size(); ++f) {
            if (fields[f].printColumn <= 0 || values[f].printed.empty()) continue;
            for (std::string& line : Paragraphs(values[f].printed)) {
                row[columnOf[fields[f].printColumn]].push_back(std::move(line));
            }
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

}  // namespace report
