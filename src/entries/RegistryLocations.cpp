#include "entries/RegistryLocations.h"

#include "system/RegistryValues.h"
#include "system/Scoped.h"
#include "system/Utf8.h"

namespace {

#define BM_RUN_KEY "Software\\Microsoft\\Windows\\CurrentVersion\\"

const RegistryLocation kRegistryLocations[] = {
    {kUserRun, HKEY_CURRENT_USER, BM_RUN_KEY "Run", false},
    {kUserRunOnce, HKEY_CURRENT_USER, BM_RUN_KEY "RunOnce", false},
    {kUserRunOnceEx, HKEY_CURRENT_USER, BM_RUN_KEY "RunOnceEx", false},
    {kUserRunServices, HKEY_CURRENT_USER, BM_RUN_KEY "RunServices", false},
    {kUserRunServicesOnce, HKEY_CURRENT_USER, BM_RUN_KEY "RunServicesOnce", false},
    {kMachineRun, HKEY_LOCAL_MACHINE, BM_RUN_KEY "Run", false},
    {kMachineRunOnce, HKEY_LOCAL_MACHINE, BM_RUN_KEY "RunOnce", false},
    {kMachineRunOnceEx, HKEY_LOCAL_MACHINE, BM_RUN_KEY "RunOnceEx", false},
    {kMachineRunServices, HKEY_LOCAL_MACHINE, BM_RUN_KEY "RunServices", false},
    {kMachineRunServicesOnce, HKEY_LOCAL_MACHINE, BM_RUN_KEY "RunServicesOnce", false},
    {kMachineRun32, HKEY_LOCAL_MACHINE, BM_RUN_KEY "Run", true},
    {kMachineRunOnce32, HKEY_LOCAL_MACHINE, BM_RUN_KEY "RunOnce", true},
    {kMachineRunOnceEx32, HKEY_LOCAL_MACHINE, BM_RUN_KEY "RunOnceEx", true},
};

#undef BM_RUN_KEY

// The key of a kind in a place; empty for a kind that is not there.
std::string KeyPath(const RegistryLocation& location, EntryPlace place) {
    std::string path = location.keyPath;
    if (place == EntryPlace::AutorunsDisabled) path.append("\\").append(kAutorunsDisabled);
    return path;
}

const RegistryLocation* AvailableLocation(int kind) {
    return RegistryKindAvailable(kind) ? FindRegistryLocation(kind) : nullptr;
}

}  // namespace

const RegistryLocation* FindRegistryLocation(int kind) {
    for (const RegistryLocation& location : kRegistryLocations) {
        if (location.kind == kind) return &location;
    }
    return nullptr;
}

bool Has32BitRegistryView() {
#ifdef _WIN64
    return true;
#else
    static const bool onWow64 = [] {
        BOOL wow64 = FALSE;
        return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
    }();
    return onWow64;
#endif
}

REGSAM RegistryViewOf(int kind) {
    const RegistryLocation* location = FindRegistryLocation(kind);
    if (!location || location->root != HKEY_LOCAL_MACHINE || !Has32BitRegistryView()) return 0;
    if (location->view32) return KEY_WOW64_32KEY;
    // A 32-bit build on a 64-bit Windows would otherwise see the 32-bit view.
    return sizeof(void*) == 8 ? 0 : KEY_WOW64_64KEY;
}

bool RegistryKindAvailable(int kind) {
    const RegistryLocation* location = FindRegistryLocation(kind);
    return location && (!location->view32 || Has32BitRegistryView());
}

EntryList ListRegistryEntries(int kind, EntryPlace place) {
    EntryList entries;
    const RegistryLocation* location = AvailableLocation(kind);
    if (!location) return entries;
    auto values = ReadRegValues(location->root, KeyPath(*location, place), RegistryViewOf(kind));
    entries.reserve(values.size());
    const bool shelved = place == EntryPlace::AutorunsDisabled;
    for (auto& [name, value] : values) {
        StartupEntry entry;
        entry.name = std::move(name);
        entry.command = std::move(value.text);
        entry.stored = value.type == REG_SZ          ? StoredValue::Text
                       : value.type == REG_EXPAND_SZ ? StoredValue::ExpandText
                                                     : StoredValue::NotText;
        if (entry.stored == StoredValue::NotText) entry.registryType = value.type;
        entry.active = shelved ? 0 : 1;
        entry.kind = kind;
        if (shelved) entry.offBy = SwitchedOffBy::OtherTool;
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string RegistryLocationPath(int kind, EntryPlace place) {
    const RegistryLocation* location = FindRegistryLocation(kind);
    if (!location) return std::string();
    std::string path = KeyPath(*location, place);
    if (location->view32) path.replace(0, 8, "SOFTWARE\\WOW6432Node");  // "Software" -> its 32-bit twin
    return std::string(location->root == HKEY_LOCAL_MACHINE ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\") + path;
}

RegistryValue ReadRegistryEntry(int kind, const std::string& name, EntryPlace place) {
    const RegistryLocation* location = AvailableLocation(kind);
    return location ? ReadRegValue(location->root, KeyPath(*location, place), name, RegistryViewOf(kind))
                    : RegistryValue();
}

WriteOutcome WriteRegistryEntry(int kind, const std::string& name, const std::string& text, DWORD type,
                                EntryPlace place) {
    const RegistryLocation* location = AvailableLocation(kind);
    if (!location) return WriteOutcome::Failed();
    return WriteRegText(location->root, KeyPath(*location, place), name, text, type, RegistryViewOf(kind));
}

WriteOutcome RemoveRegistryEntry(int kind, const std::string& name, EntryPlace place) {
    const RegistryLocation* location = AvailableLocation(kind);
    if (!location) return WriteOutcome::Failed();
    const REGSAM view = RegistryViewOf(kind);
    const WriteOutcome removed = DeleteRegValue(location->root, KeyPath(*location, place), name, view);
    if (!removed || place != EntryPlace::Location) return removed;
    // A location that is written to exists afterwards, also when it was missing;
    // only listing leaves a missing key alone.
    ScopedKey key;
    RegCreateKeyExW(location->root, WideFromUtf8(location->keyPath).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                    KEY_SET_VALUE | view, nullptr, key.receive(), nullptr);
    return removed;
}
