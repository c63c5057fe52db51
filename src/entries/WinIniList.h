// The ";"-separated command lists of win.ini as text: splitting into items,
// appending one, and leaving items out. Items are taken as they stand: nothing is
// trimmed or unquoted, and empty items are possible.
#pragma once
#include <string>
#include <vector>

// Appending this text empties the list instead of adding an item.
extern const char kClearWinIniList[];  // "intern_clear"

// A ";" ends an item, and so does the last character: "a;;b;" gives a, "", b.
std::vector<std::string> SplitWinIniList(const std::string& list);
// The list with the item appended after a ";" (none when the list is empty);
// the empty list for "intern_clear".
std::string AppendToWinIniList(const std::string& list, const std::string& item);
// The list rebuilt item by item without every item that is exactly the text.
// The others keep their order; empty items at its start are dropped, as
// appending an empty item to an empty list adds nothing.
std::string WinIniListWithout(const std::string& list, const std::string& item);
// The list without the first item that is exactly the text, the others rebuilt
// as WinIniListWithout does; the list unchanged when no item is the text.
std::string WinIniListWithoutFirst(const std::string& list, const std::string& item);
