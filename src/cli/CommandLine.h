// The switches of the command line and their reading. Pure: a parsed command
// line, or the reason it is not one. The switches are case-insensitive and may
// start with "/" or "-".
#pragma once
#include <string>
#include <vector>

#include "cli/OutputFormats.h"

namespace cli {

// What the command line asks for. Only switches of their own make a command
// line run; "/blocklist" (the logon check), "/end" and the machine-wide switch
// stay the program's own.
enum class Action { None, Help, List, Backup, Block, Release, Compare };

// The exit codes scripts rely on.
enum ExitCode : int {
    kExitDone = 0,
    kExitNothingMatched = 1,
    kExitUsage = 2,
    kExitAccessDenied = 3,
    kExitNotWritten = 4,
};

struct CommandLine {
    Action action = Action::None;
    OutputFormat format = OutputFormat::Table;
    std::string outFile;  // empty: standard output
    std::string command;  // /block and /release
    int snapshot = 0;     // /compare: 1 is the newest
    std::string error;    // not empty: a usage error, naming the switch
};

// Whether the arguments are meant for the command line at all (the first one is
// one of its switches).
bool IsCommandLineRun(const std::vector<std::string>& arguments);
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace cli
