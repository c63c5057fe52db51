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

// A program path (without quotation marks) and its arguments, as a link holds them.
struct CommandParts {
    std::string program;
    std::string arguments;
};

// The program and arguments of a link that starts the command: the program
// found as CreateProcess finds it (SplitLikeCreateProcess), with what follows its
// blank as the arguments. Where no file is found, a quoted path still says where
// the program ends, and so does a command with nothing after its first blank.
// false when nothing says it: the end of the program is never guessed.
bool SplitForLink(const std::string& command, const FileExistsFn& fileExists, CommandParts& parts);

// A link switched off starts the companion, with the program and its arguments
// as the companion's arguments: the program in quotation marks, so that it is
// found exactly again when the link is switched on, whatever blanks it holds.
std::string ParkedLinkArguments(const CommandParts& parts);
// The program and arguments that a switched-off link's arguments hold: those of
// ParkedLinkArguments; false for any other text (written elsewhere, or of a
// program whose end was not known).
bool UnparkLinkArguments(const std::string& arguments, CommandParts& parts);
// The command a link's program and arguments read as: the two with one blank
// between them. A link that starts a companion reads as the companion, one blank
// and the parked program and arguments in that same form, so that a link reads
// as the same command switched on and off; without arguments, as the program
// alone (the form earlier versions read, which backups and block lists hold).
std::string LinkCommandText(const std::string& path, const std::string& arguments, bool startsCompanion);

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
