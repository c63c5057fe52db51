// One autostart entry and the places it can live in: the fourteen locations of
// old and the 32-bit view of the machine's Run keys. Plain data: the location
// modules make records, the catalogue adds and strips the deactivation marker,
// and whoever holds a list owns its records.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The location kinds and what each one is.
#include "entries/LocationKinds.h"

// Who switched an entry off. An entry that is switched off in any way has
// active 0, so whatever only knows the flag (the block check, backups, old
// callers) treats them all alike.
enum class SwitchedOffBy : uint8_t {
    Nobody,       // active, or a record that does not say (a new or restored one)
    ThisProgram,  // stored with the deactivation marker in front
    Windows,      // Windows' own switch (Task Manager, Settings): its StartupApproved
                  // value is odd; the entry itself is stored unchanged
    OtherTool,    // moved into an "AutorunsDisabled" subkey or folder of its location
};

// How an entry's command is stored. Only registry values can be anything but
// text; a value of another type (binary, number, multi-string) is listed with
// an empty command and is no program to start, switch or block.
enum class StoredValue : uint8_t {
    Text,        // REG_SZ, a link, a win.ini item
    ExpandText,  // REG_EXPAND_SZ: Windows expands its %name% references
    NotText,     // any other registry type
};

class StartupEntry {
public:
    std::string name;     // value name, link name without ".lnk", or derived (win.ini)
    std::string command;  // as stored, without the deactivation marker
    uint8_t active = 0;   // 1 active, 0 switched off
    int32_t kind = 0;     // a LocationKind, 0 for none
    // Set by listing only; the change routine reads it to find the listed entry
    // (OtherTool: in the "AutorunsDisabled" place; Windows: stored without the
    // marker). A replacement's own value only counts as OtherTool with active 0:
    // it then stays in (or goes to) the "AutorunsDisabled" place.
    SwitchedOffBy offBy = SwitchedOffBy::Nobody;
    // Set by listing; Text for records from elsewhere (backups, the editor).
    StoredValue stored = StoredValue::Text;
    // The registry type as listed (REG_BINARY, REG_DWORD, ...) of a value that
    // is not text; 0 otherwise.
    uint32_t registryType = 0;
};

inline bool HoldsText(const StartupEntry& entry) { return entry.stored != StoredValue::NotText; }

// A value that is not text, or text of nothing but blanks (an empty (Default)
// value, a zero-byte link): there is no program to start, switch, move or block.
inline bool StartsNothing(const StartupEntry& entry) {
    return !HoldsText(entry) || entry.command.find_first_not_of(" \t") == std::string::npos;
}

using EntryList = std::vector<StartupEntry>;

// Where in its location an entry is stored: in the location itself, or in the
// "AutorunsDisabled" subkey of a registry key or folder of a Startup folder,
// where another tool moved it to switch it off (Windows starts nothing there).
enum class EntryPlace { Location, AutorunsDisabled };
inline EntryPlace PlaceOf(const StartupEntry& entry) {
    return entry.offBy == SwitchedOffBy::OtherTool && entry.active == 0 ? EntryPlace::AutorunsDisabled
                                                                        : EntryPlace::Location;
}
// The name of that subkey and folder.
inline constexpr char kAutorunsDisabled[] = "AutorunsDisabled";
