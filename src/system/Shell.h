// Handing a file, folder or address to the shell ("Open"), and the folders the
// shell knows by role.
#pragma once
#include <string>

void OpenWithShell(const std::string& target);
// Only when the file exists.
void OpenExistingWithShell(const std::string& path);

// Folders the shell knows by role; their path without a trailing backslash, or
// empty text when the shell cannot say.
enum class KnownFolder { LocalAppData, UserStartup, CommonStartup };
std::string KnownFolderPath(KnownFolder folder);
