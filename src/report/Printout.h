// The printout's table: one row per entry in the order given (the list's), its
// columns and cells taken from the entry's fields, so that a field added to
// them is printed too.
#pragma once
#include <vector>

#include "report/EntryFields.h"
#include "ui/print/PrintLayout.h"

namespace report {

PrintTable PrintoutTable(const std::vector<EntryFacts>& entries, const TextFn& text);

}  // namespace report
