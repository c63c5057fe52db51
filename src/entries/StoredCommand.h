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

// What each family stores for a command and its state. A marker already at the
// start of the command is dropped first, so none is ever doubled and an active
// entry never keeps one.
//   Registry: active "program" arguments, inactive marker + the trimmed command.
std::string StoredRegistryText(const std::string& command, bool active);
//   Win.ini: the command as it stands, with the marker in front when inactive.
std::string StoredWinIniItem(const std::string& command, bool active);
//   Links: program path and arguments; inactive the companion and the command.
CommandParts StoredLinkTarget(const std::string& command, bool active);

// "program" arguments for the files that exist here.
std::string QuotedCommand(const std::string& command);
