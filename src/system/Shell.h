// Handing a file, folder or address to the shell ("Open"), and the folders the
// shell knows by role.
#pragma once
#include <string>

// Whether the shell took the target, and if not, the platform's reason.
struct ShellOpenResult {
    bool opened = false;
    unsigned long error = 0;
};
// The shell's "Open" of the target; shows no message of its own.
ShellOpenResult OpenWithShell(const std::string& target);
// Only when the file exists: a missing file is nothing to open, and counts as
// done; only an existing file the shell could not open fails.
ShellOpenResult OpenExistingWithShell(const std::string& path);

// Folders the shell knows by role; their path without a trailing backslash, or
// empty text when the shell cannot say.
enum class KnownFolder { LocalAppData, UserStartup, CommonStartup };
std::string KnownFolderPath(KnownFolder folder);
