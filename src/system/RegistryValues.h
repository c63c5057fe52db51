// Registry string values. Key paths may start with a backslash or not. Reading
// opens the key for reading only and creates nothing; writing asks for no more
// access than the write needs.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

std::string ReadRegString(HKEY root, const std::string& keyPath, const std::string& valueName);
// All values of a key in the registry's order: REG_SZ and REG_EXPAND_SZ give
// their text as stored, other types empty text. A key that cannot be opened
// gives nothing.
std::vector<std::pair<std::string, std::string>> ReadRegStringValues(HKEY root, const std::string& keyPath);
// Creates the key if needed and stores the text as REG_SZ; true on success.
bool WriteRegString(HKEY root, const std::string& keyPath, const std::string& valueName, const std::string& text);
// True when the value is gone afterwards (also when it was never there).
bool DeleteRegValue(HKEY root, const std::string& keyPath, const std::string& valueName);

// Test seam: registry keys that Wine cannot be made to refuse. When set, every
// write or delete below a key for which it answers true fails as "access denied".
using RegistryWriteDenial = bool (*)(HKEY root, const std::string& keyPath);
void SetRegistryWriteDenialForTests(RegistryWriteDenial denial);
