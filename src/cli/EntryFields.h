// An entry's fields as every listing of entries shows them: the table for
// people, CSV and JSON for scripts, the comparison with a snapshot. A field
// added here appears in all of them. Pure: the texts of the user's language come
// in as a function, the facts that need Windows (known system entry, why it
// will not start) as data.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "entries/RunCheck.h"
#include "entries/StartupEntry.h"

namespace cli {

using TextFn = std::function<std::string(int number)>;

// What is known of an entry beyond its record.
struct EntryFacts {
    StartupEntry entry;
    bool knownSystem = false;
    NotRunReason notRun = NotRunReason::None;
};

enum class FieldType { Text, Number, Boolean };

struct FieldValue {
    std::string data;    // for scripts: a stable word, a number, "true"/"false"
    std::string people;  // for people, in the user's language
    FieldType type = FieldType::Text;
};

struct FieldColumn {
    const char* key;  // the CSV header and JSON member name; never translated
    int captionText;  // the table's caption
};

// The columns in their order.
const std::vector<FieldColumn>& EntryFieldColumns();
// One value per column.
std::vector<FieldValue> EntryFieldValues(const EntryFacts& facts, const TextFn& text);

// The stable words of the script forms.
std::string SwitchedOffByWord(SwitchedOffBy offBy);
std::string NotRunWord(NotRunReason reason);

}  // namespace cli
