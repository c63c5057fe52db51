// The restore dialog's texts, apart from its window: one line per snapshot in
// the drop-down list, and the report of entries a restore could not put back.
#pragma once
#include <string>
#include <vector>

// before, a blank, the date-and-time text, " (", the number of entries,
// a blank, after, ")": "Backup of 01.02.2010 10:20:30 (23 entries)".
std::string SnapshotLine(const std::string& before, const std::string& dateText, size_t entryCount,
                         const std::string& after);

// The lines of a report that no longer fit a message dialog, which shows a
// few lines only; the information message dialog takes longer texts.
constexpr size_t kMaxReportLinesInMessage = 6;

// The heading, then one line per item, joined with line breaks (CR LF).
std::string ReportText(const std::string& heading, const std::vector<std::string>& items);
// Whether a report of this many items belongs in the information message dialog.
bool ReportNeedsInfoMessage(size_t itemCount);
