// A command's stored form: what a location holds for an entry, and the entry
// that a stored text reads as. An entry is switched off by storing it with the
// deactivation marker in front: the path of the companion "inactive.exe" beside
// the program and one space, so Windows starts the companion (which starts
// nothing) with the entry's own command line as its arguments.
#pragma once
#include <string>

#include "entries/CommandText.h"

// The companion beside the program: the executable's full path without its last
// 15 characters (the length of "Bootmarshal.exe"), then "inactive.exe".
const std::string& CompanionPath();
// The marker as this program writes it: the companion's path (quoted when it
// holds a space) and one space. Both are computed once per run.
const std::string& DeactivationMarker();

// Length of the deactivation marker at the start of a stored text, 0 when there
// is none: this program's marker in either form, ignoring case (user's locale),
// or one that a copy of the program in another folder wrote.
size_t MarkerLength(const std::string& stored);
inline bool HasMarker(const std::string& stored) { return MarkerLength(stored) > 0; }
// The text without the marker at its start (unchanged when it has none).
std::string StripMarker(const std::string& stored);

// What a stored text reads as: its command without the marker, and whether it
// is active (no marker in front).
struct CommandState {
    std::string command;
    bool active = true;
};
CommandState ReadStoredCommand(const std::string& stored);

// What each family stores for a command and its state: the command exactly as
// it stands (a switch off and on gives back every byte), with the marker in
// front when inactive. A marker already at the start of the command is dropped
// first, so none is ever doubled and an active entry never keeps one.
std::string StoredRegistryText(const std::string& command, bool active);
std::string StoredWinIniItem(const std::string& command, bool active);

// Links hold a program path and its arguments apart. known: the split the
// replaced link held, used when the command is still the one it read as (a link
// switched off and on keeps its program exactly); otherwise the program is
// found as CreateProcess finds it (SplitForLink). Inactive, the link starts the
// companion with the program and arguments parked as its arguments. When the
// end of the program cannot be told: false (no such link is written), or with
// KeepingTheText, the split at the first blank, which a link reads back as the
// very same command (a new or restored entry is never lost for a program
// that is not there).
enum class LinkSplit { FoundOnly, KeepingTheText };
bool StoredLinkTarget(const std::string& command, bool active, const CommandParts* known, LinkSplit split,
                      CommandParts& target);
// The command a link's fields read as (LinkCommandText, told whether the path
// is a companion's).
std::string LinkCommand(const std::string& path, const std::string& arguments);
// The program and arguments a link holds: its own, or those parked in a
// companion's arguments; false for a companion's link that holds them in no
// parked form.
bool LinkProgramAndArguments(const std::string& path, const std::string& arguments, CommandParts& parts);
