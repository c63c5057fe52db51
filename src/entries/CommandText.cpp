#include "entries/CommandText.h"

#include <initializer_list>

#include "system/TextCase.h"
#include "system/TextRules.h"

std::string StripQuotes(const std::string& text) {
    if (text.empty() || text[0] != '"') return text;
    std::string rest = text.substr(1);
    const size_t second = rest.find('"');
    if (second == std::string::npos) return text;
    rest.erase(second, 1);
    return rest.find('"') == std::string::npos ? rest : text;
}

std::string DeriveEntryName(const std::string& command) {
    std::string name;
    for (const char c : command) {
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '.' || c == '_') name += c;
    }
    return name;
}

namespace {

bool EndsWithIgnoringCase(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && SameAscii(text.substr(text.size() - tail.size()), tail);
}

// The extension of a piece's last path component, without its full stop; empty
// when it has none.
std::string ExtensionOf(const std::string& piece) {
    const size_t stop = piece.rfind('.');
    const size_t slash = piece.find_last_of("\\/");
    if (stop == std::string::npos || stop + 1 >= piece.size() || (slash != std::string::npos && stop < slash)) {
        return std::string();
    }
    return piece.substr(stop + 1);
}

// An unquoted command names a program before a companion's path when a piece
// before it ends in an extension of programs.
bool IsProgramExtension(const std::string& extension) {
    for (const char* item : {"exe", "com", "bat", "cmd", "pif", "scr"}) {
        if (SameAscii(extension, item)) return true;
    }
    return false;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

const char kCompanionTail[] = "\\inactive.exe";

bool StartsLikeAPath(const std::string& text) {
    const bool drive = text.size() >= 3 && AsciiUpper(text[0]) >= 'A' && AsciiUpper(text[0]) <= 'Z' && text[1] == ':' &&
                       text[2] == '\\';
    const bool share = text.size() >= 2 && text[0] == '\\' && text[1] == '\\';
    return drive || share;
}

}  // namespace

bool SplitForLink(const std::string& command, const FileExistsFn& fileExists, CommandParts& parts) {
    const ProgramSplit split = SplitLikeCreateProcess(command, fileExists);
    if (split.found || split.quoted) {
        parts = {split.program, split.arguments};
        return !parts.program.empty();
    }
    size_t start = 0;
    while (start < command.size() && IsBlank(command[start])) ++start;
    size_t end = start;
    while (end < command.size() && !IsBlank(command[end])) ++end;
    if (end == start) return false;
    for (size_t rest = end; rest < command.size(); ++rest) {
        if (!IsBlank(command[rest])) return false;
    }
    parts.program = command.substr(start, end - start);
    parts.arguments = end + 1 < command.size() ? command.substr(end + 1) : std::string();
    return true;
}

std::string ParkedLinkArguments(const CommandParts& parts) { return "\"" + parts.program + "\" " + parts.arguments; }

bool UnparkLinkArguments(const std::string& arguments, CommandParts& parts) {
    if (arguments.size() < 3 || arguments[0] != '"') return false;
    const size_t closing = arguments.find('"', 1);
    if (closing == std::string::npos || closing == 1 || closing + 1 >= arguments.size() ||
        arguments[closing + 1] != ' ') {
        return false;
    }
    parts = {arguments.substr(1, closing - 1), arguments.substr(closing + 2)};
    return true;
}

std::string LinkCommandText(const std::string& path, const std::string& arguments, bool startsCompanion) {
    CommandParts parked;
    if (startsCompanion && UnparkLinkArguments(arguments, parked)) {
        // Without arguments, as earlier versions read a switched-off link (its
        // command is in backups and block lists in that form).
        if (parked.arguments.empty()) return path + " " + parked.program;
        return path + " " + parked.program + " " + parked.arguments;
    }
    std::string text;
    text.reserve(path.size() + 1 + arguments.size());
    return text.append(path).append(1, ' ').append(arguments);
}

std::string MarkerFor(const std::string& companionPath) {
    return companionPath.find(' ') == std::string::npos ? companionPath + " " : "\"" + companionPath + "\" ";
}

size_t CompanionMarkerLength(const std::string& stored) {
    if (!stored.empty() && stored[0] == '"') {
        const size_t closing = stored.find('"', 1);
        if (closing == std::string::npos || closing + 1 >= stored.size() || stored[closing + 1] != ' ') return 0;
        const std::string path = stored.substr(1, closing - 1);
        return StartsLikeAPath(path) && EndsWithIgnoringCase(path, kCompanionTail) ? closing + 2 : 0;
    }
    if (!StartsLikeAPath(stored)) return 0;
    // Unquoted, the path may hold spaces: it runs to the first "\inactive.exe "
    // unless a program named before it would be what Windows starts.
    for (size_t space = stored.find(' '); space != std::string::npos; space = stored.find(' ', space + 1)) {
        const std::string path = stored.substr(0, space);
        if (EndsWithIgnoringCase(path, kCompanionTail) && path.find('"') == std::string::npos) return space + 1;
        const size_t pieceStart = path.rfind(' ') == std::string::npos ? 0 : path.rfind(' ') + 1;
        if (IsProgramExtension(ExtensionOf(path.substr(pieceStart)))) return 0;
    }
    return 0;
}

bool HoldsEnvironmentReference(const std::string& command) {
    const size_t open = command.find('%');
    if (open == std::string::npos) return false;
    const size_t close = command.find('%', open + 1);
    return close != std::string::npos && close > open + 1;
}
