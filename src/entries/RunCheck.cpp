#include "entries/RunCheck.h"

#include "entries/CommandText.h"
#include "system/TextRules.h"

namespace {

bool HasFolder(const std::string& path) { return path.find_first_of("\\/:") != std::string::npos; }

bool HasExtension(const std::string& path) {
    const size_t dot = path.rfind('.');
    return dot != std::string::npos && path.find_first_of("\\/", dot) == std::string::npos;
}

// The path, and without an extension the extensions the shell tries: the
// first file that exists, or empty.
std::string ExistingWithExtensions(const std::string& path, const ProgramLookup& lookup, bool shellExtensions) {
    if (lookup.fileExists(path)) return path;
    if (HasExtension(path)) return std::string();
    static const char* const kExtensions[] = {".exe", ".com", ".bat", ".cmd"};
    for (const char* extension : kExtensions) {
        if (lookup.fileExists(path + extension)) return path + extension;
        if (!shellExtensions) break;
    }
    return std::string();
}

}  // namespace

std::string ProgramOfCommand(const std::string& command, const ProgramLookup& lookup) {
    const std::string expanded = Trim(lookup.expand ? lookup.expand(command) : command);
    // Quoted, the program is what the quotation marks hold, as Windows takes it;
    // unquoted, no blank ends a program that exists, so the whole text is what
    // Windows looked for.
    const ProgramSplit split = SplitLikeCreateProcess(expanded, lookup.fileExists);
    return split.found || split.quoted ? Trim(split.program) : expanded;
}

namespace {

// The file a program's name or path stands for, or empty.
std::string ResolvedFile(const std::string& program, const ProgramLookup& lookup) {
    if (program.empty()) return std::string();
    if (HasFolder(program)) return ExistingWithExtensions(program, lookup, false);
    if (lookup.appPath) {
        const std::string registered = lookup.appPath(HasExtension(program) ? program : program + ".exe");
        if (!registered.empty() && lookup.fileExists(StripQuotes(registered))) return StripQuotes(registered);
    }
    for (const std::string& folder : lookup.searchFolders) {
        std::string found = ExistingWithExtensions(folder + program, lookup, true);
        if (!found.empty()) return found;
    }
    return std::string();
}

}  // namespace

std::string ProgramFileOfCommand(const std::string& command, const ProgramLookup& lookup) {
    const std::string expanded = Trim(lookup.expand ? lookup.expand(command) : command);
    if (!expanded.empty() && expanded[0] == '"') {
        const size_t closing = expanded.find('"', 1);
        if (closing != std::string::npos) return ResolvedFile(Trim(expanded.substr(1, closing - 1)), lookup);
    }
    // Unquoted, Windows tries the text up to each blank in turn, the shortest
    // first, and starts the first that names a program.
    for (size_t blank = expanded.find(' '); blank != std::string::npos; blank = expanded.find(' ', blank + 1)) {
        std::string found = ResolvedFile(expanded.substr(0, blank), lookup);
        if (!found.empty()) return found;
    }
    return ResolvedFile(expanded, lookup);
}

bool ProgramExists(const std::string& command, const ProgramLookup& lookup) {
    return !ProgramFileOfCommand(command, lookup).empty();
}

NotRunReason WhyNotRun(const StartupEntry& entry, const ProgramLookup& lookup) {
    // Nothing to start is not a missing program.
    if (StartsNothing(entry)) return NotRunReason::None;
    if (IsNotStartedByWindowsNtKind(entry.kind)) return NotRunReason::NotStartedByWindowsNt;
    if (entry.offBy == SwitchedOffBy::Windows) return NotRunReason::SwitchedOffByWindows;
    if (!ProgramExists(entry.command, lookup)) {
        const std::string target = Trim(lookup.expand ? lookup.expand(entry.command) : entry.command);
        const bool opensFolder = MayOpenFolderKind(entry.kind) && lookup.folderExists && !target.empty() &&
                                 lookup.folderExists(StripQuotes(target));
        if (!opensFolder) return NotRunReason::ProgramMissing;
    }
    return NotRunReason::None;
}
