// What each family of locations can store. A name or command outside these
// rules is never written (nor, for a link name, removed): it would land
// somewhere else than asked, or be stored as something else.
#pragma once
#include <cstddef>
#include <string>

// The longest path a link file may have (MAX_PATH without its NUL).
const size_t kMaxLinkPathLength = 259;

// A link name in a Startup folder: no \ / : * ? " < > | or control character,
// not "." or "..", not a device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, also
// with an extension), and folder + name + ".lnk" no longer than a path may be.
// Any of these would write or delete a file outside the folder, or fail.
bool IsStorableLinkName(const std::string& name, size_t folderLength);

// A win.ini list item: a ";" would store two items, a line break would end the
// value, "intern_clear" empties the whole list when it is appended, and an empty
// item appended is not listed again (at the end of a list it is no item).
// win.ini is a file of the user's ANSI code page: a character it does not hold
// would be stored as "?" or a look-alike, so such an item is refused too.
bool IsStorableWinIniItem(const std::string& item);
