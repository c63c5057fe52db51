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

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// What follows a program that ends at end: without the one blank that ends it.
std::string ArgumentsAfter(const std::string& text, size_t end) {
    if (end < text.size() && IsBlank(text[end])) ++end;
    return end < text.size() ? text.substr(end) : std::string();
}

// The candidate's file as CreateProcess asks for it: ".exe" appended when the
// last path component has no extension.
std::string CandidateFile(const std::string& candidate) {
    return HasFileExtension(candidate) ? candidate : candidate + ".exe";
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

bool HasFileExtension(const std::string& path) {
    const size_t stop = path.rfind('.');
    return stop != std::string::npos && path.find_first_of("\\/", stop) == std::string::npos;
}

ProgramSplit SplitLikeCreateProcess(const std::string& commandLine, const FileExistsFn& fileExists) {
    ProgramSplit split;
    size_t start = 0;
    while (start < commandLine.size() && IsBlank(commandLine[start])) ++start;
    if (start == commandLine.size()) return split;

    if (commandLine[start] == '"') {
        // Quoted, the quotation marks say where the program ends; a path whose
        // closing mark is missing runs to the end.
        const size_t closing = commandLine.find('"', start + 1);
        const size_t end = closing == std::string::npos ? commandLine.size() : closing;
        const std::string path = commandLine.substr(start + 1, end - start - 1);
        split.quoted = true;
        split.program = path;
        split.arguments = closing == std::string::npos ? std::string() : ArgumentsAfter(commandLine, closing + 1);
        if (!path.empty() && fileExists(CandidateFile(path))) {
            split.found = true;
            split.program = CandidateFile(path);
        }
        return split;
    }

    size_t end = start;
    while (end <= commandLine.size()) {
        if (end == commandLine.size() || IsBlank(commandLine[end])) {
            // A candidate never ends in a blank: two blanks in a row end it once.
            if (end > start && !IsBlank(commandLine[end - 1])) {
                const std::string file = CandidateFile(commandLine.substr(start, end - start));
                if (fileExists(file)) {
                    split.found = true;
                    split.program = file;
                    split.arguments = ArgumentsAfter(commandLine, end);
                    return split;
                }
            }
        }
        ++end;
    }
    return split;
}
