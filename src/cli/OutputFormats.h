// The three forms of a list of rows: a table for people, CSV (RFC 4180, with a
// byte order mark so that spreadsheet programs read UTF-8, and a header row) and
// JSON (RFC 8259, an array of objects). All are UTF-8 text; line ends CRLF in
// CSV as its rules ask, LF elsewhere.
#pragma once
#include <string>
#include <vector>

#include "cli/EntryFields.h"

namespace cli {

enum class OutputFormat { Table, Csv, Json };

struct OutputColumn {
    std::string key;
    std::string caption;
};
using OutputRow = std::vector<FieldValue>;

std::string FormatRows(OutputFormat format, const std::vector<OutputColumn>& columns,
                       const std::vector<OutputRow>& rows);

// One CSV field: quoted when it holds a quotation mark, a separator, a line
// break or blanks at an end; quotation marks doubled.
std::string CsvField(const std::string& text);
// A JSON string with its quotation marks; control characters escaped, other
// characters kept as UTF-8. Bytes that are not UTF-8 become U+FFFD, since JSON
// text must be Unicode.
std::string JsonString(const std::string& text);

}  // namespace cli
