#include "entries/RegistryLocations.h"

#include "system/RegistryValues.h"
#include "system/Scoped.h"

namespace {

#define BM_RUN_KEY "Software\\Microsoft\\Windows\\CurrentVersion\\"

const RegistryLocation kRegistryLocations[] = {
    {kUserRun, HKEY_CURRENT_USER, BM_RUN_KEY "Run"},
    {kUserRunOnce, HKEY_CURRENT_USER, BM_RUN_KEY "RunOnce"},
    {kUserRunOnceEx, HKEY_CURRENT_USER, BM_RUN_KEY "RunOnceEx"},
    {kUserRunServices, HKEY_CURRENT_USER, BM_RUN_KEY "RunServices"},
    {kUserRunServicesOnce, HKEY_CURRENT_USER, BM_RUN_KEY "RunServicesOnce"},
    {kMachineRun, HKEY_LOCAL_MACHINE, BM_RUN_KEY "Run"},
    {kMachineRunOnce, HKEY_LOCAL_MACHINE, BM_RUN_KEY "RunOnce"},
    {kMachineRunOnceEx, HKEY_LOCAL_MACHINE, BM_RUN_KEY "RunOnceEx"},
    {kMachineRunServices, HKEY_LOCAL_MACHINE, BM_RUN_KEY "RunServices"},
    {kMachineRunServicesOnce, HKEY_LOCAL_MACHINE, BM_RUN_KEY "RunServicesOnce"},
};

#undef BM_RUN_KEY

}  // namespace

const RegistryLocation* FindRegistryLocation(int kind) {
    for (const RegistryLocation& location : kRegistryLocations) {
        if (location.kind == kind) return &location;
    }
    return nullptr;
}

EntryList ListRegistryEntries(int kind) {
    EntryList entries;
    const RegistryLocation* location = FindRegistryLocation(kind);
    if (!location) return entries;
    auto values = ReadRegStringValues(location->root, location->keyPath);
    entries.reserve(values.size());
    for (auto& [name, text] : values) {
        StartupEntry entry;
        entry.name = std::move(name);
        entry.command = std::move(text);
        entry.active = 1;
        entry.kind = kind;
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string RegistryLocationPath(int kind) {
    const RegistryLocation* location = FindRegistryLocation(kind);
    if (!location) return std::string();
    return std::string(location->root == HKEY_LOCAL_MACHINE ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\") +
           location->keyPath;
}

RegistryValue ReadRegistryEntry(int kind, const std::string& name) {
    const RegistryLocation* location = FindRegistryLocation(kind);
    return location ? ReadRegValue(location->root, location->keyPath, name) : RegistryValue();
}

WriteOutcome WriteRegistryEntry(int kind, const std::string& name, const std::string& text, DWORD type) {
    const RegistryLocation* location = FindRegistryLocation(kind);
    if (!location) return WriteOutcome::Failed();
    return WriteRegText(location->root, location->keyPath, name, text, type);
}

WriteOutcome RemoveRegistryEntry(int kind, const std::string& name) {
    const RegistryLocation* location = FindRegistryLocation(kind);
    if (!location) return WriteOutcome::Failed();
    const WriteOutcome removed = DeleteRegValue(location->root, location->keyPath, name);
    if (!removed) return removed;
    // A location that is written to exists afterwards, also when it was missing;
    // only listing leaves a missing key alone.
    ScopedKey key;
    RegCreateKeyExA(location->root, location->keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                    key.receive(), nullptr);
    return removed;
}
