// The logon check's log: it runs unseen at every logon and ends without a word,
// so what it removed, and what it could not, is written down for the user.
// Plain text, one line per action, fields apart by tabs:
//   time, location, name, command, result ("removed" or "not removed"), reason
// The file keeps its newest lines within a size limit; the oldest go first.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

struct BlockCheckAction {
    std::string location;
    std::string name;
    std::string command;
    bool removed = false;
    std::string reason;  // why it could not be removed; empty when it was
};

// The most the log file holds; whole lines are dropped from its start.
constexpr size_t kBlockCheckLogLimit = 64 * 1024;

// One line of the log, CR LF at its end. Tabs and line breaks inside a field
// become blanks, so every action stays one line of six fields.
std::string BlockCheckLogLine(const std::string& time, const BlockCheckAction& action);
// The log with the new lines at its end, cut at a line start to the limit. A
// single line longer than the limit is cut short rather than lost.
std::string AppendToBlockCheckLog(const std::string& log, const std::string& newLines,
                                  size_t limit = kBlockCheckLogLimit);

// The actions of the newest run in the log (the lines of its last time), in
// their order; empty time when the log holds no well-formed line.
struct BlockCheckRun {
    std::string time;
    std::vector<BlockCheckAction> actions;
};
BlockCheckRun LastBlockCheckRun(const std::string& log);

// One line for the main window's status bar about the newest run: its time
// (atPattern), then the names of what it removed and of what it could not
// remove, each after its own pattern with the count in it ("%s" each). Empty
// when the log holds no run.
std::string BlockCheckRunSummary(const BlockCheckRun& run, const std::string& atPattern,
                                 const std::string& removedPattern, const std::string& notRemovedPattern);
