// Where the two Startup folders are: the "Shell Folders" values of the shell,
// read afresh on every call, since the user may move a folder at any time; the
// shell itself is asked where a value is missing or empty.
#pragma once
#include <string>

// The folder of a Startup kind (1 common, 2 the user's), ending in a backslash;
// empty when neither its value nor the shell names one, or for any other kind.
// An empty answer means there is no folder to list or to write into.
std::string StartupFolder(int kind);
