// What may go onto the block list, and which entry a released line switches
// back on: the rules of blocking apart from the list file and the locations.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "entries/StartupEntry.h"

// Why a command may not go onto the block list: an empty line would make every
// logon check delete every entry without a command, and blocking the check's
// own autostart value would switch blocking off.
enum class BlockRefusal { None, EmptyCommand, OwnBlockCheck };
BlockRefusal CheckBlockable(const StartupEntry& entry, const std::string& blockCheckValueName);

// Releasing a line switches an entry on only when the entry is stored
// somewhere (a location kind), is switched off, and its command is the line's
// command in the form the logon check compares (BlockMatch.h): a line blocked
// from an active registry entry holds the quoted form, the switched-off entry
// lists the plain one. Any other entry is left alone: it may have been switched
// off for another reason.
bool ReleaseSwitchesEntryOn(int32_t kind, bool active, const std::string& command, const std::string& releasedLine);
