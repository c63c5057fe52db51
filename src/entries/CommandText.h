// Text rules of stored commands that need no platform: quotation marks, names
// derived from commands, the two stored forms of a registry command, and the
// shape of a deactivation marker.
#pragma once
#include <string>

#include "system/CommandSplit.h"

// Removes one enclosing pair of quotation marks: exactly two marks, the first at
// the very start. Any other text comes back unchanged.
std::string StripQuotes(const std::string& text);

// Keeps the digits, capital letters A-Z, full stops and underscores of the command.
std::string DeriveEntryName(const std::string& command);

// Program path (without its quotation marks) and arguments of a command, as the
// stored forms need them. Normally the split of ProgramPart/ArgumentsPart; where
// that split would take arguments into the program path (a quoted path followed
// by arguments with a full stop, or a missing program with such arguments), the
// path ends at its closing quotation mark, or after the first piece whose
// extension Windows starts (a program's before a handled file's: .exe .com .bat
// .cmd .pif .scr, then .lnk .vbs .js .wsf .msc .cpl). A folder name with a full
// stop ("App 2.0", "Node.js Tools") never ends it; with no such piece the split
// stays as ProgramPart/ArgumentsPart make it.
struct CommandParts {
    std::string program;
    std::string arguments;
};
CommandParts SplitForStoredForm(const std::string& command, const FileExistsFn& fileExists);

// "program" args, trimmed: the stored form of an active registry entry.
std::string QuotedCommandWith(const std::string& command, const FileExistsFn& fileExists);
// program args, trimmed: the stored form of an inactive one.
std::string PlainCommandWith(const std::string& command, const FileExistsFn& fileExists);

// The deactivation marker as written for the companion's path: the path, in
// quotation marks when it holds a space (unquoted, Windows would try
// "C:\Program.exe" first), and one space.
std::string MarkerFor(const std::string& companionPath);
// Length of a marker that any copy of the program may have written at the start
// of a stored command: a path ("X:\..." or "\\server\...") whose last component
// is inactive.exe in any case, quoted or not, and one space. 0 when there is
// none, and also when an unquoted command names a program before such a path.
size_t CompanionMarkerLength(const std::string& stored);

// The command holds a %name% reference, which Windows expands only in a
// REG_EXPAND_SZ value.
bool HoldsEnvironmentReference(const std::string& command);
