// Registry string values. Key paths may start with a backslash or not. Reading
// opens the key for reading only and creates nothing; writing asks for no more
// access than the write needs. The view is added to the access asked for:
// 0 for the process's own, KEY_WOW64_32KEY or KEY_WOW64_64KEY for the other.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "system/WriteOutcome.h"

std::string ReadRegString(HKEY root, const std::string& keyPath, const std::string& valueName, REGSAM view = 0);
// All values of a key in the registry's order: REG_SZ and REG_EXPAND_SZ give
// their text as stored, other types empty text. A key that cannot be opened
// gives nothing.
std::vector<std::pair<std::string, std::string>> ReadRegStringValues(HKEY root, const std::string& keyPath,
                                                                     REGSAM view = 0);
// One value as stored: its type and, for REG_SZ and REG_EXPAND_SZ, its text.
struct RegistryValue {
    bool exists = false;
    DWORD type = 0;
    std::string text;
    bool IsString() const { return type == REG_SZ || type == REG_EXPAND_SZ; }
};
RegistryValue ReadRegValue(HKEY root, const std::string& keyPath, const std::string& valueName, REGSAM view = 0);
// All values of a key with their type (text only for the string types), in the
// registry's order; a key that cannot be opened gives nothing.
struct NamedRegistryValue {
    std::string name;
    RegistryValue value;
};
std::vector<NamedRegistryValue> ReadRegValues(HKEY root, const std::string& keyPath, REGSAM view = 0);
// All values of a key with their type and raw bytes, in the registry's order.
struct RawRegistryValue {
    std::string name;
    DWORD type = 0;
    std::string bytes;
};
std::vector<RawRegistryValue> ReadRegRawValues(HKEY root, const std::string& keyPath, REGSAM view = 0);
// One value's raw bytes; false when it is not there.
bool ReadRegRawValue(HKEY root, const std::string& keyPath, const std::string& valueName, RawRegistryValue& value,
                     REGSAM view = 0);
// Stores the bytes with the type given in an existing key (a missing key is
// not created: Failed).
WriteOutcome WriteRegRawValue(HKEY root, const std::string& keyPath, const std::string& valueName, DWORD type,
                              const std::string& bytes, REGSAM view = 0);

// Creates the key if needed and stores the text as REG_SZ, replacing a value of
// any type.
WriteOutcome WriteRegString(HKEY root, const std::string& keyPath, const std::string& valueName,
                            const std::string& text);
// The same with the string type given (REG_SZ or REG_EXPAND_SZ).
WriteOutcome WriteRegText(HKEY root, const std::string& keyPath, const std::string& valueName, const std::string& text,
                          DWORD type, REGSAM view = 0);
// Done when the value is gone afterwards (also when it was never there).
WriteOutcome DeleteRegValue(HKEY root, const std::string& keyPath, const std::string& valueName, REGSAM view = 0);

// A platform error code as a write outcome: access denied apart from the rest.
WriteOutcome WriteOutcomeOfError(DWORD error);

// Test seam: registry keys that Wine cannot be made to refuse. When set, every
// write or delete below a key for which it answers true fails as "access denied".
using RegistryWriteDenial = bool (*)(HKEY root, const std::string& keyPath);
void SetRegistryWriteDenialForTests(RegistryWriteDenial denial);
