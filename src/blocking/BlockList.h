// The block list: commands the user never wants to start at logon again. It is
// loaded once per run and saved after every change; while it holds a line, an
// autostart value of our own runs "Bootmarshal.exe /blocklist" at every logon,
// which removes every active entry whose command is on the list.
#pragma once
#include <string>
#include <vector>

extern const char kBlockListFileName[];    // "Bootmarshal.list"
extern const char kBlockCheckValueName[];  // "Bootmarshal Block-check"

// What Block and Unblock came to: whether the list took the change (a command
// already blocked counts as taken; an unblocked one that is not on the list, or
// a command that cannot stand on one line, does not), whether the block list
// file was written afterwards, and whether the logon check's autostart value
// follows the list (set while it holds lines, gone when it is empty).
struct BlockListChange {
    bool accepted = false;
    bool saved = false;
    bool logonCheckSet = true;
};

// Empties the list and reads the block list file, if there is one.
void LoadBlockList();
// The command is a line of the list: the same command in the form BlockMatch.h
// gives it (quoted or not), ignoring case by the user's locale. An empty command
// is never blocked.
bool IsBlocked(const std::string& command);
// Appends the trimmed command unless it is blocked already; saves. A command
// with a line break in it cannot stand on one line, and an empty one would
// match every value without text: neither is added.
BlockListChange Block(const std::string& command);
// Deletes the first line that is the same command (as IsBlocked); saves.
BlockListChange Unblock(const std::string& command);
std::vector<std::string> BlockListLines();
// Replaces the file (atomically) and sets or removes the autostart value.
// False when the file could not be written or the value not set or removed;
// the value follows the list even when the file fails.
bool SaveBlockList();
// Writes (flag set) or removes the autostart value in the user's Run key; false
// when the registry refused, and the check then does not follow the list.
bool SetBlockCheckRun(bool flag);
// Where that value stands, as the user finds it in the registry editor.
std::string BlockCheckRunPlace();
// The logon check: removes every active entry whose command is blocked. Each
// entry is handled on its own: one that cannot be removed stays (and is met at
// the next logon), and the rest are still done. Shows nothing.
void RunBlockCheck();
// Deletes the line at that position of BlockListLines() as it stands, blanks
// and all (a hand-typed line that Unblock's trimmed comparison never meets),
// and saves; a position outside the list is not accepted and saves nothing.
BlockListChange UnblockLineAt(size_t position);
