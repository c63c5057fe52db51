// Where the two Startup folders are: the "Shell Folders" values of the shell,
// read afresh on every call, since the user may move a folder at any time.
#pragma once
#include <string>

// The folder of a Startup kind (1 common, 2 the user's), ending in a backslash;
// empty when its value cannot be read or is empty, or for any other kind. An
// empty answer means there is no folder to list or to write into.
std::string StartupFolder(int kind);
