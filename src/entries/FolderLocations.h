// The two Startup folders (kind 1 common, kind 2 the user's). One entry is one
// ".lnk" file: its name is the file name without ".lnk", its command the link's
// target path, a space and its arguments. Links are read and written through the
// shared shell-link component. The links of an "AutorunsDisabled" folder inside
// a Startup folder are entries another tool switched off (that place).
#pragma once
#include <string>

#include "entries/ShellLink.h"
#include "entries/StartupEntry.h"
#include "system/WriteOutcome.h"

// One entry per link file in the order the file system returns them; hidden and
// system files are left out. A folder that cannot be found or searched lists
// nothing.
EntryList ListFolderEntries(int kind, EntryPlace place = EntryPlace::Location);
// The folder of a kind's place, ending in a backslash; empty when there is none.
std::string FolderOfPlace(int kind, EntryPlace place);
// A file "name.lnk" is there.
bool FolderLinkExists(int kind, const std::string& name, EntryPlace place = EntryPlace::Location);
// The fields of "name.lnk" as listing reads them (reset fields for a link that
// cannot be loaded). False when there is no such file.
bool ReadFolderLink(int kind, const std::string& name, ShellLinkFields& fields,
                    EntryPlace place = EntryPlace::Location);
// Writes "name.lnk" with exactly these fields, replacing a link of that name only
// once the new one is complete.
// A missing "AutorunsDisabled" folder is made.
WriteOutcome WriteFolderLink(int kind, const std::string& name, const ShellLinkFields& fields,
                             EntryPlace place = EntryPlace::Location);
// Writes "name.lnk" to the program and arguments of an active command with the
// defaults of a fresh link: it starts in the program's folder and is described
// by its file name. Failed when the command's program cannot be told.
WriteOutcome WriteFolderEntry(int kind, const std::string& name, const std::string& command);
// Deletes "name.lnk". Done when it is gone (also when it never was there).
WriteOutcome RemoveFolderEntry(int kind, const std::string& name, EntryPlace place = EntryPlace::Location);
