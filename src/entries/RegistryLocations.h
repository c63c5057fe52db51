// The ten Run-family keys (kinds 11-15 under the current user, 21-25 under the
// machine). One entry is one value directly in the key: the value name is the
// entry's name and its text the command. Subkeys are no entries.
#pragma once
#include <windows.h>

#include <string>

#include "entries/StartupEntry.h"
#include "system/RegistryValues.h"

struct RegistryLocation {
    int kind;
    HKEY root;
    const char* keyPath;
};

// The row of a registry kind, or nullptr for any other kind.
const RegistryLocation* FindRegistryLocation(int kind);

// One entry per value, in the registry's order, the unnamed default value
// included. REG_SZ and REG_EXPAND_SZ give their text unexpanded, other types an
// empty command. The key is only read: a missing key lists nothing and stays
// missing.
EntryList ListRegistryEntries(int kind);
// "HKEY_CURRENT_USER\..." or "HKEY_LOCAL_MACHINE\..." of a registry kind.
std::string RegistryLocationPath(int kind);
// The value of that name as stored (type and text).
RegistryValue ReadRegistryEntry(int kind, const std::string& name);
// Stores the text as a string value of that name and type (replacing a value of
// any type), creating the key when missing.
WriteOutcome WriteRegistryEntry(int kind, const std::string& name, const std::string& text, DWORD type = REG_SZ);
// Deletes the value of that name; the key stays. Done when it is gone (also
// when it never was there).
WriteOutcome RemoveRegistryEntry(int kind, const std::string& name);
