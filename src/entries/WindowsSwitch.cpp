#include "entries/WindowsSwitch.h"

#include <windows.h>

#include "entries/RegistryLocations.h"
#include "system/RegistryValues.h"
#include "system/TextCase.h"

namespace {

#define BM_APPROVED_KEY "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\"

struct SwitchKey {
    int32_t kind;
    HKEY root;
    const char* keyPath;
    const char* nameSuffix;  // after the entry's name in the value's name
};

const SwitchKey kSwitchKeys[] = {
    {kUserRun, HKEY_CURRENT_USER, BM_APPROVED_KEY "Run", ""},
    {kMachineRun, HKEY_LOCAL_MACHINE, BM_APPROVED_KEY "Run", ""},
    {kMachineRun32, HKEY_LOCAL_MACHINE, BM_APPROVED_KEY "Run32", ""},
    {kUserStartup, HKEY_CURRENT_USER, BM_APPROVED_KEY "StartupFolder", ".lnk"},
    {kCommonStartup, HKEY_LOCAL_MACHINE, BM_APPROVED_KEY "StartupFolder", ".lnk"},
};

#undef BM_APPROVED_KEY

const size_t kSwitchValueSize = 12;

const SwitchKey* FindSwitchKey(int32_t kind) {
    for (const SwitchKey& key : kSwitchKeys) {
        if (key.kind == kind) return &key;
    }
    return nullptr;
}

// The switch keys live in the machine's native view (Explorer's), whatever the
// view of the entry they switch.
REGSAM NativeView(const SwitchKey& key) { return key.root == HKEY_LOCAL_MACHINE ? RegistryViewOf(kMachineRun) : 0; }

}  // namespace

bool HasWindowsSwitch(int32_t kind) { return FindSwitchKey(kind) != nullptr; }

std::string WindowsSwitchValueName(int32_t kind, const std::string& entryName) {
    const SwitchKey* key = FindSwitchKey(kind);
    return key ? entryName + key->nameSuffix : entryName;
}

bool WindowsSwitchSaysOff(const std::string& bytes) {
    return !bytes.empty() && (static_cast<unsigned char>(bytes[0]) & 1) != 0;
}

std::string WindowsSwitchOnBytes(const std::string& bytes) {
    std::string on(kSwitchValueSize, '\0');
    on[0] = 2;
    if (bytes.size() >= 4) {
        on[0] = static_cast<char>(static_cast<unsigned char>(bytes[0]) & ~1u);
        on[1] = bytes[1];
        on[2] = bytes[2];
        on[3] = bytes[3];
    }
    return on;
}

std::string WindowsSwitchKeyPath(int32_t kind) {
    const SwitchKey* key = FindSwitchKey(kind);
    if (!key) return std::string();
    return std::string(key->root == HKEY_LOCAL_MACHINE ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\") + key->keyPath;
}

std::unordered_set<std::string> NamesSwitchedOffByWindows(int32_t kind) {
    std::unordered_set<std::string> names;
    const SwitchKey* key = FindSwitchKey(kind);
    if (!key || !(HasWindowsSwitch(kind) && (kind != kMachineRun32 || Has32BitRegistryView()))) return names;
    for (const RawRegistryValue& value : ReadRegRawValues(key->root, key->keyPath, NativeView(*key))) {
        if (value.type != REG_BINARY || !WindowsSwitchSaysOff(value.bytes)) continue;
        const std::string& suffix = key->nameSuffix;
        if (suffix.empty()) {
            names.insert(TextKey(value.name));
        } else if (value.name.size() > suffix.size() &&
                   SameAscii(value.name.substr(value.name.size() - suffix.size()), suffix)) {
            // Entries are named without the suffix (".lnk"); only names with it count.
            names.insert(TextKey(value.name.substr(0, value.name.size() - suffix.size())));
        }
    }
    return names;
}

bool ReadWindowsSwitch(int32_t kind, const std::string& entryName, std::string& bytes) {
    const SwitchKey* key = FindSwitchKey(kind);
    if (!key) return false;
    RawRegistryValue value;
    if (!ReadRegRawValue(key->root, key->keyPath, WindowsSwitchValueName(kind, entryName), value, NativeView(*key))) {
        return false;
    }
    if (value.type != REG_BINARY) return false;
    bytes = value.bytes;
    return true;
}

bool IsSwitchedOffByWindows(int32_t kind, const std::string& entryName) {
    std::string bytes;
    return ReadWindowsSwitch(kind, entryName, bytes) && WindowsSwitchSaysOff(bytes);
}

WriteOutcome ClearWindowsSwitch(int32_t kind, const std::string& entryName) {
    std::string bytes;
    if (!ReadWindowsSwitch(kind, entryName, bytes) || !WindowsSwitchSaysOff(bytes)) return WriteOutcome::Done();
    const SwitchKey* key = FindSwitchKey(kind);
    return WriteRegRawValue(key->root, key->keyPath, WindowsSwitchValueName(kind, entryName), REG_BINARY,
                            WindowsSwitchOnBytes(bytes), NativeView(*key));
}

WriteOutcome RestoreWindowsSwitch(int32_t kind, const std::string& entryName, const std::string& bytes) {
    const SwitchKey* key = FindSwitchKey(kind);
    if (!key) return WriteOutcome::Failed();
    return WriteRegRawValue(key->root, key->keyPath, WindowsSwitchValueName(kind, entryName), REG_BINARY, bytes,
                            NativeView(*key));
}

WriteOutcome RemoveWindowsSwitch(int32_t kind, const std::string& entryName) {
    const SwitchKey* key = FindSwitchKey(kind);
    if (!key) return WriteOutcome::Done();
    std::string bytes;
    if (!ReadWindowsSwitch(kind, entryName, bytes)) return WriteOutcome::Done();  // nothing to remove
    return DeleteRegValue(key->root, key->keyPath, WindowsSwitchValueName(kind, entryName), NativeView(*key));
}
