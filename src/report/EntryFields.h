// An entry's fields as every listing of entries shows them: the table for
// people, CSV and JSON for scripts, the comparison with a snapshot and the
// printout. A field added here appears in all of them. Pure: the texts of the
// user's language come in as a function, the facts that need Windows (known
// system entry, why it will not start, who made its program) as data.
#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "entries/RunCheck.h"
#include "entries/StartupEntry.h"

namespace report {

using TextFn = std::function<std::string(int number)>;

// What is known of an entry beyond its record.
struct EntryFacts {
    StartupEntry entry;
    bool knownSystem = false;
    NotRunReason notRun = NotRunReason::None;
    // Who made its program, as one line from the program's version resource;
    // empty when the program has none or cannot be found.
    std::string madeBy;
};

enum class FieldType { Text, Number, Boolean };

struct FieldValue {
    FieldValue() = default;
    FieldValue(std::string data_, std::string people_, FieldType type_ = FieldType::Text, std::string printed_ = {})
        : data(std::move(data_)), people(std::move(people_)), type(type_), printed(std::move(printed_)) {}

    std::string data;    // for scripts: a stable word, a number, "true"/"false"
    std::string people;  // for people, in the user's language
    FieldType type = FieldType::Text;
    std::string printed;  // what the printout says of it; empty prints nothing
};

struct FieldColumn {
    const char* key;  // the CSV header and JSON member name; never translated
    int captionText;  // the table's caption
    // The printout's column the field is printed in, counted from 1; 0 for a
    // field the printout leaves out. Fields of one number share a cell, each
    // on its own line; the first of them names the column.
    int printColumn;
    int printCaption;  // the printed column's caption, when it is not captionText
    int printWeight;   // the column's share of the page's width
};

// The columns in their order.
const std::vector<FieldColumn>& EntryFieldColumns();
// One value per column.
std::vector<FieldValue> EntryFieldValues(const EntryFacts& facts, const TextFn& text);

// Who made the entry's program: makerOf(file) of the program its command
// starts, found as Windows finds it; empty when it starts none that exists.
std::string MadeByOf(const StartupEntry& entry, const ProgramLookup& lookup,
                     const std::function<std::string(const std::string& file)>& makerOf);

// The stable words of the script forms.
std::string SwitchedOffByWord(SwitchedOffBy offBy);
std::string NotRunWord(NotRunReason reason);

}  // namespace report
