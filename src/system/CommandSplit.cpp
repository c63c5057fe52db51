#include "system/CommandSplit.h"

#include "system/TextRules.h"

namespace {

// Up to and including the last full stop, then on to the next space or the end.
std::string RuleOfThumbPrefix(const std::string& command) {
    const size_t lastStop = command.rfind('.');
    size_t end = (lastStop == std::string::npos) ? 0 : lastStop + 1;
    while (end < command.size() && command[end] != ' ') ++end;
    return command.substr(0, end);
}

}  // namespace

std::string ProgramPartWith(const std::string& command, const FileExistsFn& fileExists) {
    if (command.size() < 3) return Trim(command);
    // Shortest prefix considered is 4 characters: "C:\" alone is never a program.
    size_t length = command.size();
    while (length > 3 && !fileExists(command.substr(0, length))) --length;
    if (length > 3) return Trim(command.substr(0, length));
    return Trim(RuleOfThumbPrefix(command));
}

std::string ArgumentsPartWith(const std::string& command, const FileExistsFn& fileExists) {
    const std::string program = ProgramPartWith(command, fileExists);
    return Trim(command.size() > program.size() ? command.substr(program.size()) : std::string());
}
