#include "entries/CommandText.h"

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

// "C:\Program Files\App\app.exe /log x.txt" -> up to and including "app.exe":
// the first space-separated piece whose last path component has an extension.
size_t EndOfFirstFileWithExtension(const std::string& text) {
    size_t pos = 0;
    while (pos < text.size()) {
        size_t space = text.find(' ', pos);
        if (space == std::string::npos) space = text.size();
        const std::string piece = text.substr(pos, space - pos);
        const size_t stop = piece.rfind('.');
        const size_t slash = piece.find_last_of("\\/");
        if (stop != std::string::npos && stop + 1 < piece.size() && (slash == std::string::npos || stop > slash)) {
            return space;
        }
        pos = space + 1;
    }
    return text.size();
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
    const size_t end = EndOfFirstFileWithExtension(text);
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
