// The two Startup folders (kind 1 common, kind 2 the user's). One entry is one
// ".lnk" file: its name is the file name without ".lnk", its command the link's
// target path, a space and its arguments. Links are read and written through the
// shared shell-link component.
#pragma once
#include <string>

#include "entries/StartupEntry.h"

// One entry per link file in the order the file system returns them; hidden and
// system files are left out. A folder that cannot be found or searched lists
// nothing.
EntryList ListFolderEntries(int kind);
// Writes the link "name.lnk" to the program and arguments of the command (its
// enclosing quotation marks removed), replacing a link of that name. The link
// starts in the program's folder and is described by its file name. The old link
// is replaced only once the new one is complete. True when the link is in place.
bool WriteFolderEntry(int kind, const std::string& name, const std::string& command);
// Deletes "name.lnk". True when it is gone (also when it never was there).
bool RemoveFolderEntry(int kind, const std::string& name);
