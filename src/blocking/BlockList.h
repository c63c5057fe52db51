// The block list: commands the user never wants to start at logon again. It is
// loaded once per run and saved after every change; while it holds a line, an
// autostart value of our own runs "Bootmarshal.exe /blocklist" at every logon,
// which removes every active entry whose command is on the list.
#pragma once
#include <string>
#include <vector>

extern const char kBlockListFileName[];    // "Bootmarshal.list"
extern const char kBlockCheckValueName[];  // "Bootmarshal Block-check"

// Empties the list and reads the block list file, if there is one.
void LoadBlockList();
// The trimmed command equals a line, ignoring case (user's locale).
bool IsBlocked(const std::string& command);
// Appends the trimmed command unless it is blocked already; saves. A command
// with a line break in it cannot stand on one line and is not added.
void Block(const std::string& command);
// Deletes the first line equal to the trimmed command, ignoring case; saves.
void Unblock(const std::string& command);
std::vector<std::string> BlockListLines();
// Replaces the file (atomically) and sets or removes the autostart value.
// False when the file could not be written; the value follows the list anyway.
bool SaveBlockList();
// Writes (flag set) or removes the autostart value in the user's Run key.
void SetBlockCheckRun(bool flag);
// The logon check: removes every active entry whose command is blocked.
void RunBlockCheck();
// Deletes the line at that position of BlockListLines() as it stands, blanks
// and all, and saves; nothing happens for a position outside the list. True
// when the file was saved (also when nothing was deleted).
bool UnblockLineAt(size_t position);
