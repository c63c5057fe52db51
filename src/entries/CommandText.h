// Text rules of stored commands that need no platform: quotation marks, names
// derived from commands, and the two stored forms of a registry command.
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
// path ends at its closing quotation mark or after its file extension.
struct CommandParts {
    std::string program;
    std::string arguments;
};
CommandParts SplitForStoredForm(const std::string& command, const FileExistsFn& fileExists);

// "program" args, trimmed: the stored form of an active registry entry.
std::string QuotedCommandWith(const std::string& command, const FileExistsFn& fileExists);
// program args, trimmed: the stored form of an inactive one.
std::string PlainCommandWith(const std::string& command, const FileExistsFn& fileExists);
