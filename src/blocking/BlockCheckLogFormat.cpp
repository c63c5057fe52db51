#include "blocking/BlockCheckLogFormat.h"

#include "system/TextRules.h"

namespace {

std::string Field(const std::string& text) {
    std::string field = text;
    for (char& c : field) {
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    }
    return field;
}

const char kRemoved[] = "removed";
const char kNotRemoved[] = "not removed";

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

}  // namespace

std::string BlockCheckLogLine(const std::string& time, const BlockCheckAction& action) {
    return Field(time) + '\t' + Field(action.location) + '\t' + Field(action.name) + '\t' + Field(action.command) +
           '\t' + (action.removed ? kRemoved : kNotRemoved) + '\t' + Field(action.reason) + "\r\n";
}

std::string AppendToBlockCheckLog(const std::string& log, const std::string& newLines, size_t limit) {
    std::string whole = log;
    if (!whole.empty() && whole.back() != '\n') whole += "\r\n";  // a line cut by an earlier crash stays one line
    whole += newLines;
    if (whole.size() <= limit) return whole;
    const size_t from = whole.size() - limit;
    // Start at the first whole line inside the limit; without one (a single
    // line longer than the limit) keep the limit's last bytes.
    const size_t lineEnd = from == 0 ? std::string::npos : whole.find('\n', from - 1);
    if (lineEnd == std::string::npos || lineEnd + 1 >= whole.size()) return whole.substr(from);
    return whole.substr(lineEnd + 1);
}

BlockCheckRun LastBlockCheckRun(const std::string& log) {
    std::vector<std::vector<std::string>> lines;
    size_t start = 0;
    while (start < log.size()) {
        size_t end = log.find('\n', start);
        if (end == std::string::npos) end = log.size();
        std::string line = log.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> fields = SplitTabs(line);
        if (fields.size() == 6 && !fields[0].empty() && (fields[4] == kRemoved || fields[4] == kNotRemoved)) {
            lines.push_back(std::move(fields));
        }
        start = end + 1;
    }
    BlockCheckRun run;
    if (lines.empty()) return run;
    run.time = lines.back()[0];
    size_t first = lines.size();
    while (first > 0 && lines[first - 1][0] == run.time) --first;
    for (size_t i = first; i < lines.size(); ++i) {
        const std::vector<std::string>& f = lines[i];
        run.actions.push_back(BlockCheckAction{f[1], f[2], f[3], f[4] == kRemoved, f[5]});
    }
    return run;
}

std::string BlockCheckRunSummary(const BlockCheckRun& run, const std::string& atPattern,
                                 const std::string& removedPattern, const std::string& notRemovedPattern) {
    if (run.time.empty()) return std::string();
    std::string summary = FillPlaceholder(atPattern, run.time);
    const size_t atLength = summary.size();
    for (const bool removed : {true, false}) {
        std::string names;
        size_t count = 0;
        for (const BlockCheckAction& action : run.actions) {
            if (action.removed != removed) continue;
            names += (count++ ? ", " : " ") + action.name;
        }
        if (count == 0) continue;
        summary += (summary.size() == atLength ? " " : "; ") +
                   FillPlaceholder(removed ? removedPattern : notRemovedPattern, std::to_string(count)) + names;
    }
    return summary;
}
