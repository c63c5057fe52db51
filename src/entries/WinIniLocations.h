// The load= and run= lists of win.ini's [Windows] section (kinds 31 and 32),
// read and written only through the private-profile functions. An item of a
// ";"-separated list is one entry: its name is derived from its text.
#pragma once
#include <string>

#include "entries/StartupEntry.h"
#include "system/WriteOutcome.h"

// The Windows directory's win.ini.
std::string WinIniPath();

// The longest list that is ever written. Longer values break the profile
// functions of some platforms; a change that would need more is refused.
const size_t kMaxWinIniListLength = 32766;

// One entry per item, in list order: a ";" ends an item, so a list ending in ";"
// has no empty last item, while a leading ";" or ";;" gives an empty one.
EntryList ListWinIniEntries(int kind);
// The whole list of a kind; false when it is longer than can be read (list then
// holds only its start) or the kind is no win.ini kind.
bool ReadWinIniList(int kind, std::string& list);
// Stores the list as it stands, in one write. Refused (Failed) beyond
// kMaxWinIniListLength.
WriteOutcome WriteWinIniList(int kind, const std::string& list);
// Appends the item (after a ";" when the list is not empty). The text
// "intern_clear" empties the list instead. Fails when the list cannot be read
// whole or would grow beyond kMaxWinIniListLength.
WriteOutcome AppendWinIniEntry(int kind, const std::string& item);
// Rewrites the list without every item that is exactly the text (case counts),
// in one write; the other items keep their order. Fails when the list cannot be
// read whole.
WriteOutcome RemoveWinIniEntry(int kind, const std::string& item);

// Test seam: win.ini writes that the platform here cannot be made to refuse.
// While set, a write of a key for which it answers true is refused as access
// denied.
using WinIniWriteDenial = bool (*)(const std::string& key);
void SetWinIniWriteDenialForTests(WinIniWriteDenial denial);
