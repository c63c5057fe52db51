#include "entries/RegistryLocations.h"

#include "system/RegistryValues.h"
#include "system/Scoped.h"
#include "system/TextCase.h"
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

// RunOnceEx: Windows runs the values of its numbered subkeys; its own values
// (Title, Flags) only describe the run.
bool IsRunOnceEx(const RegistryLocation& location) {
    const std::string path = location.keyPath;
    return path.size() >= 9 && path.compare(path.size() - 9, 9, "RunOnceEx") == 0;
}

bool IsRunOnceExOwnValue(const std::string& name) { return SameText(name, "Title") || SameText(name, "Flags"); }

// The key and value name of an entry's slot: in RunOnceEx an entry named
// "0001\1" is value "1" of subkey "0001".
std::pair<std::string, std::string> Slot(const RegistryLocation& location, EntryPlace place, const std::string& name) {
    std::string key = KeyPath(location, place);
    const size_t slash = name.rfind('\\');
    if (place != EntryPlace::Location || !IsRunOnceEx(location) || slash == std::string::npos) return {key, name};
    return {key + "\\" + name.substr(0, slash), name.substr(slash + 1)};
}

// The names of a key's subkeys, in the registry's order.
std::vector<std::string> SubkeyNames(HKEY root, const std::string& path, REGSAM view) {
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, WideFromUtf8(path).c_str(), 0, KEY_ENUMERATE_SUB_KEYS | view, &key) != ERROR_SUCCESS) {
        return names;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];  // the longest name a key can have, and its end
        DWORD length = 256;
        if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.push_back(Utf8FromWide(std::wstring(name, length)));
    }
    RegCloseKey(key);
    return names;
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

namespace {

void AddEntries(EntryList& entries, std::vector<NamedRegistryValue>&& values, int kind, const std::string& prefix,
                bool shelved, bool runOnceEx) {
    for (auto& [name, value] : values) {
        // The subkey's unnamed value is its section's caption, not a command.
        if (runOnceEx && (prefix.empty() ? IsRunOnceExOwnValue(name) : name.empty())) continue;
        StartupEntry entry;
        entry.name = prefix + name;
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
}

}  // namespace

EntryList ListRegistryEntries(int kind, EntryPlace place) {
    EntryList entries;
    const RegistryLocation* location = AvailableLocation(kind);
    if (!location) return entries;
    const REGSAM view = RegistryViewOf(kind);
    const std::string path = KeyPath(*location, place);
    const bool shelved = place == EntryPlace::AutorunsDisabled;
    const bool runOnceEx = !shelved && IsRunOnceEx(*location);
    AddEntries(entries, ReadRegValues(location->root, path, view), kind, std::string(), shelved, runOnceEx);
    if (!runOnceEx) return entries;
    for (const std::string& subkey : SubkeyNames(location->root, path, view)) {
        if (SameText(subkey, kAutorunsDisabled)) continue;
        AddEntries(entries, ReadRegValues(location->root, path + "\\" + subkey, view), kind, subkey + "\\", false,
                   true);
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
    if (!location) return RegistryValue();
    const auto [key, value] = Slot(*location, place, name);
    return ReadRegValue(location->root, key, value, RegistryViewOf(kind));
}

WriteOutcome WriteRegistryEntry(int kind, const std::string& name, const std::string& text, DWORD type,
                                EntryPlace place) {
    const RegistryLocation* location = AvailableLocation(kind);
    if (!location) return WriteOutcome::Failed();
    const auto [key, value] = Slot(*location, place, name);
    return WriteRegText(location->root, key, value, text, type, RegistryViewOf(kind));
}

WriteOutcome RemoveRegistryEntry(int kind, const std::string& name, EntryPlace place) {
    const RegistryLocation* location = AvailableLocation(kind);
    if (!location) return WriteOutcome::Failed();
    const REGSAM view = RegistryViewOf(kind);
    const auto [key, value] = Slot(*location, place, name);
    const WriteOutcome removed = DeleteRegValue(location->root, key, value, view);
    if (!removed || place != EntryPlace::Location) return removed;
    // A location that is written to exists afterwards, also when it was missing;
    // only listing leaves a missing key alone.
    ScopedKey made;
    RegCreateKeyExW(location->root, WideFromUtf8(location->keyPath).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                    KEY_SET_VALUE | view, nullptr, made.receive(), nullptr);
    return removed;
}
