#include "ui/dialogs/RestoreModel.h"

std::string SnapshotLine(const std::string& before, const std::string& dateText, size_t entryCount,
                         const std::string& after) {
    return before + " " + dateText + " (" + std::to_string(entryCount) + " " + after + ")";
}

std::string ReportText(const std::string& heading, const std::vector<std::string>& items) {
    std::string text = heading;
    for (const std::string& item : items) text += "\r\n" + item;
    return text;
}

bool ReportNeedsInfoMessage(size_t itemCount) { return itemCount + 1 > kMaxReportLinesInMessage; }
