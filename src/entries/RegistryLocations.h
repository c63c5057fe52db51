// The Run-family keys: kinds 11-15 under the current user, 21-25 under the
// machine, and 26-28 the machine's Run, RunOnce and RunOnceEx as 32-bit programs
// see them on a 64-bit Windows (HKLM\SOFTWARE\WOW6432Node\..., reached with
// KEY_WOW64_32KEY; a 32-bit Windows has no such view and they list nothing).
// One entry is one value directly in the key: the value name is the entry's
// name and its text the command. Subkeys are no entries, except that the values
// of an "AutorunsDisabled" subkey are entries another tool switched off.
// RunOnceEx is run as Windows runs it: the values of its numbered subkeys are
// the entries, named "subkey\value" ("0001\1"), without a subkey's unnamed
// value (its section's caption); of its own values, Title and Flags describe
// the run and are never entries.
#pragma once
#include <windows.h>

#include <string>

#include "entries/StartupEntry.h"
#include "system/RegistryValues.h"

struct RegistryLocation {
    int kind;
    HKEY root;
    const char* keyPath;
    bool view32;  // the 32-bit view of a 64-bit Windows
};

// The row of a registry kind, or nullptr for any other kind.
const RegistryLocation* FindRegistryLocation(int kind);
// The 32-bit view exists: a 64-bit Windows (always so for a 64-bit build).
bool Has32BitRegistryView();
// The access flag that reaches a kind's key in the right view (0 when the
// process's own view is the right one).
REGSAM RegistryViewOf(int kind);
// The kind's key exists on this Windows (false for the 32-bit view on a 32-bit
// Windows, and for any kind that is no registry kind).
bool RegistryKindAvailable(int kind);

// One entry per value, in the registry's order, the unnamed default value
// included. REG_SZ and REG_EXPAND_SZ give their text unexpanded, other types an
// empty command. The key is only read: a missing key lists nothing and stays
// missing. Listed from the "AutorunsDisabled" place, entries come with active 0
// and offBy OtherTool.
EntryList ListRegistryEntries(int kind, EntryPlace place = EntryPlace::Location);
// "HKEY_CURRENT_USER\..." or "HKEY_LOCAL_MACHINE\..." of a registry kind (with
// "\AutorunsDisabled" for that place); the 32-bit view shows its WOW6432Node path.
std::string RegistryLocationPath(int kind, EntryPlace place = EntryPlace::Location);
// The value of that name as stored (type and text).
RegistryValue ReadRegistryEntry(int kind, const std::string& name, EntryPlace place = EntryPlace::Location);
// Stores the text as a string value of that name and type (replacing a value of
// any type), creating the key when missing.
WriteOutcome WriteRegistryEntry(int kind, const std::string& name, const std::string& text, DWORD type = REG_SZ,
                                EntryPlace place = EntryPlace::Location);
// Deletes the value of that name; the key stays. Done when it is gone (also
// when it never was there).
WriteOutcome RemoveRegistryEntry(int kind, const std::string& name, EntryPlace place = EntryPlace::Location);
