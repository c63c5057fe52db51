#include "cli/CommandLine.h"

#include <cctype>
#include <cstdlib>

namespace cli {

namespace {

// The switch's name in lower case without its "/" or "-"; empty for an argument
// that is no switch.
std::string SwitchName(const std::string& argument) {
    if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-')) return std::string();
    std::string name;
    for (size_t i = 1; i < argument.size(); ++i) {
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(argument[i])));
    }
    return name;
}

struct ActionSwitch {
    const char* name;
    Action action;
    bool takesValue;
};

const ActionSwitch kActions[] = {
    {"help", Action::Help, false},      {"?", Action::Help, false},     {"list", Action::List, false},
    {"backup", Action::Backup, false},  {"block", Action::Block, true}, {"release", Action::Release, true},
    {"compare", Action::Compare, true},
};

const ActionSwitch* FindAction(const std::string& name) {
    for (const ActionSwitch& entry : kActions) {
        if (name == entry.name) return &entry;
    }
    return nullptr;
}

bool ReadSnapshotNumber(const std::string& text, int& number) {
    if (text.empty() || text.size() > 4) return false;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    number = std::atoi(text.c_str());
    return number >= 1;
}

}  // namespace

bool IsCommandLineRun(const std::vector<std::string>& arguments) {
    return !arguments.empty() && FindAction(SwitchName(arguments[0])) != nullptr;
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool formatGiven = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const std::string name = SwitchName(argument);
        auto fail = [&line, &argument] {
            line.error = argument;
            return line;
        };
        if (const ActionSwitch* found = FindAction(name)) {
            if (line.action != Action::None) return fail();
            line.action = found->action;
            if (!found->takesValue) continue;
            if (i + 1 >= arguments.size()) return fail();
            const std::string& value = arguments[++i];
            if (found->action == Action::Compare) {
                if (!ReadSnapshotNumber(value, line.snapshot)) return fail();
            } else {
                if (value.find_first_not_of(" \t") == std::string::npos) return fail();
                line.command = value;
            }
        } else if (name == "csv" || name == "json") {
            if (formatGiven) return fail();
            formatGiven = true;
            line.format = name == "csv" ? OutputFormat::Csv : OutputFormat::Json;
        } else if (name == "out") {
            if (!line.outFile.empty() || i + 1 >= arguments.size() || arguments[i + 1].empty()) return fail();
            line.outFile = arguments[++i];
        } else {
            return fail();
        }
    }
    if (line.action == Action::None) {
        line.error = arguments.empty() ? std::string() : arguments[0];
        return line;
    }
    // Formats and files belong to the commands that print entries.
    const bool printsEntries = line.action == Action::List || line.action == Action::Compare;
    if (!printsEntries && (formatGiven || !line.outFile.empty())) {
        line.error = formatGiven ? (line.format == OutputFormat::Csv ? "/csv" : "/json") : "/out";
    }
    return line;
}

}  // namespace cli
