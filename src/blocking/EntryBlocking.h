// Blocking and releasing an entry, each as one step over the block list and
// the entry's location: blocking puts the command on the list and switches the
// entry off (only a switched-off entry is kept by the logon check, so one that
// cannot be switched off comes off the list again); releasing takes the command
// off the list and switches the entry on. Like the change routine these never
// produce user texts: the result says what happened, the windows word it.
#pragma once
#include <cstddef>
#include <string>

#include "blocking/BlockRules.h"
#include "entries/EntryChange.h"
#include "entries/StartupEntry.h"

struct BlockingResult {
    // Blocking was refused before anything changed.
    BlockRefusal refusal = BlockRefusal::None;
    // The list took the change: the command is on it (also when it was
    // already), the command or the line came off it.
    bool listChanged = false;
    // The block list file was written afterwards. When it was not, the list
    // and the logon check's autostart value have changed all the same.
    bool listSaved = true;
    std::string listFile;  // the block list file, for the message when it was not written
    // The logon check's autostart value follows the list; when the registry
    // refused it, the check runs while the list is empty or not at all.
    bool logonCheckSet = true;
    // The entry's switch: entrySwitched when it now stands switched the other
    // way; a failed switch is told in entryChange. An entry that stood so
    // already needed none, which counts as done.
    bool entrySwitched = false;
    ChangeResult entryChange{true, false, ChangeReason::None, "", false};
    bool ok() const { return refusal == BlockRefusal::None && listChanged && entryChange.ok(); }
};

// Puts the entry's command onto the block list and switches the entry off.
// When it cannot be switched off, the command comes off the list again.
BlockingResult BlockEntry(const StartupEntry& entry);
// Takes the entry's command off the block list and switches the entry on.
BlockingResult ReleaseEntry(const StartupEntry& entry);
// Takes the line at that position of the block list off it, as it stands
// (a line typed with blanks goes too), and switches current, the entry the
// user has in view, on when the line is its command (ReleaseSwitchesEntryOn);
// no other entry changes. A position outside the list changes nothing.
BlockingResult ReleaseBlockListLine(size_t position, const StartupEntry& current);
