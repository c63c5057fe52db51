// Known system entries: startup entries that belong to Windows itself or to its
// components. The main window marks them; nothing else depends on the test.
#pragma once
#include <string>

#include "entries/StartupEntry.h"

// True when the entry's name and command match a rule of the table (substring
// tests on upper-cased text). Kind and active flag play no part.
bool IsKnownSystemEntry(const StartupEntry& entry);
// The same test with the Windows directory given (without a trailing backslash).
bool IsKnownSystemEntryIn(const StartupEntry& entry, const std::string& windowsFolder);
