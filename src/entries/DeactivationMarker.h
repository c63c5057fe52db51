// The deactivation marker and the stored forms of registry commands. An entry is
// switched off by storing it with the marker in front: the program folder +
// "inactive.exe " (so Windows starts the companion, which starts nothing).
#pragma once
#include <string>

#include "entries/StartupEntry.h"
#include "entries/CommandText.h"

// The executable's full path without its last 15 characters (the length of
// "Bootmarshal.exe"), then "inactive.exe" and one space. Computed afresh.
std::string DeactivationMarker();
// The text begins with the marker, ignoring case (user's locale).
bool HasMarker(const std::string& text);
// The marker anywhere in the text, ignoring case.
bool ContainsMarker(const std::string& text);
// The text without its first as many characters as the marker has.
std::string StripMarker(const std::string& text);

// Stored form of an active registry entry's command: "program" arguments.
std::string QuotedCommand(const std::string& command);
// Stored form of an inactive one (marker in front): program arguments.
std::string PlainCommand(const std::string& command);
