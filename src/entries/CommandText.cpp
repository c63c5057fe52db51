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

bool IsOneOf(const std::string& extension, std::initializer_list<const char*> list) {
    for (const char* item : list) {
        if (SameAscii(extension, item)) return true;
    }
    return false;
}

// Programs first: a folder named like "Node.js" must not end the path when an
// executable follows it. Files that Windows opens through a handler count only
// when no program is found.
bool IsProgramExtension(const std::string& extension) {
    return IsOneOf(extension, {"exe", "com", "bat", "cmd", "pif", "scr"});
}
bool IsHandledExtension(const std::string& extension) {
    return IsOneOf(extension, {"lnk", "vbs", "js", "wsf", "msc", "cpl"});
}

// "C:\Program Files\App 2.0 Beta\a.exe /log x.txt" -> the end of "a.exe": the
// first space-separated piece whose extension is one that Windows starts;
// npos when there is none.
template <typename Accept>
size_t EndOfFirstPieceWith(const std::string& text, Accept accept) {
    size_t pos = 0;
    while (pos < text.size()) {
        size_t space = text.find(' ', pos);
        if (space == std::string::npos) space = text.size();
        if (accept(ExtensionOf(text.substr(pos, space - pos)))) return space;
        pos = space + 1;
    }
    return std::string::npos;
}

size_t EndOfStartableFile(const std::string& text) {
    const size_t end = EndOfFirstPieceWith(text, IsProgramExtension);
    return end != std::string::npos ? end : EndOfFirstPieceWith(text, IsHandledExtension);
}

const char kCompanionTail[] = "\\inactive.exe";

bool StartsLikeAPath(const std::string& text) {
    const bool drive = text.size() >= 3 && AsciiUpper(text[0]) >= 'A' && AsciiUpper(text[0]) <= 'Z' && text[1] == ':' &&
                       text[2] == '\\';
    const bool share = text.size() >= 2 && text[0] == '\\' && text[1] == '\\';
    return drive || share;
}

}  // namespace

CommandParts SplitForStoredForm(const std::string& command, const FileExistsFn& fileExists) {
    const std::string program = ProgramPartWith(command, fileExists);
    CommandParts parts{StripQuotes(program), ArgumentsPartWith(command, fileExists)};
    if (program.find(' ') == std::string::npos || fileExists(parts.program)) return parts;

    const std::string text = Trim(command);
    if (!text.empty() && text[0] == '"') {
        const size_t closing = text.find('"', 1);
        if (closing != std::string::npos) {
            return {text.substr(1, closing - 1), Trim(text.substr(closing + 1))};
        }
        return parts;
    }
    const size_t end = EndOfStartableFile(text);
    if (end == std::string::npos) return parts;
    return {text.substr(0, end), Trim(text.substr(end))};
}

std::string QuotedCommandWith(const std::string& command, const FileExistsFn& fileExists) {
    const CommandParts parts = SplitForStoredForm(command, fileExists);
    return Trim("\"" + parts.program + "\" " + parts.arguments);
}

std::string PlainCommandWith(const std::string& command, const FileExistsFn& fileExists) {
    const CommandParts parts = SplitForStoredForm(command, fileExists);
    return Trim(parts.program + " " + parts.arguments);
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
