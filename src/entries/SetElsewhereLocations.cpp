#include "entries/SetElsewhereLocations.h"

#include <windows.h>

#include <algorithm>

#include "entries/CommandText.h"
#include "entries/LocationWatcher.h"
#include "system/RegistryValues.h"
#include "system/TextCase.h"
#include "system/TextRules.h"
#include "system/Utf8.h"

namespace {

struct SetElsewhereKey {
    int32_t kind;
    HKEY root;
    const char* keyPath;
    bool view32;
    bool winlogon;  // only Shell and Userinit, and only beyond Windows' own
};

const SetElsewhereKey kKeys[] = {
    {kUserPolicyRun, HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run", false,
     false},
    {kMachinePolicyRun, HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run",
     false, false},
    {kMachinePolicyRun32, HKEY_LOCAL_MACHINE,
     "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run", true, false},
    {kUserWinlogon, HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", false, true},
    {kMachineWinlogon, HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", false, true},
};

const SetElsewhereKey* FindKey(int32_t kind) {
    for (const SetElsewhereKey& key : kKeys) {
        if (key.kind == kind) return &key;
    }
    return nullptr;
}

bool On64BitWindows() {
#ifdef _WIN64
    return true;
#else
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
#endif
}

// The key in the view its path names: the 32-bit twin is read through its
// WOW6432Node path in the 64-bit view, which exists only on a 64-bit Windows.
REGSAM ViewOf(const SetElsewhereKey& key) {
    if (key.root != HKEY_LOCAL_MACHINE || !On64BitWindows()) return 0;
    return sizeof(void*) == 8 ? 0 : KEY_WOW64_64KEY;
}

std::string WindowsFolder() {
    wchar_t folder[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? Utf8FromWide(std::wstring(folder, length)) : std::string("C:\\Windows");
}

std::string WithoutTrailingCommas(std::string text) {
    text = Trim(text);
    while (!text.empty() && text.back() == ',') text.pop_back();
    return Trim(text);
}

bool IsOwnUserinit(const std::string& part, const std::string& windowsFolder) {
    const std::string program = StripQuotes(Trim(part));
    for (const char* folder : {"%SystemRoot%", "%windir%"}) {
        if (SameText(program, std::string(folder) + "\\system32\\userinit.exe")) return true;
    }
    return SameText(program, windowsFolder + "\\system32\\userinit.exe") || SameText(program, "userinit.exe");
}

}  // namespace

bool IsWindowsOwnWinlogonValue(const std::string& name, const std::string& text, const std::string& windowsFolder) {
    const std::string value = WithoutTrailingCommas(text);
    if (SameText(name, "Shell")) {
        return SameText(value, "explorer.exe") || SameText(value, windowsFolder + "\\explorer.exe");
    }
    if (SameText(name, "Userinit")) return IsOwnUserinit(value, windowsFolder);
    return false;
}

std::string WinlogonExtra(const std::string& name, const std::string& text, const std::string& windowsFolder) {
    if (!SameText(name, "Userinit")) return Trim(text);
    std::string extra;
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos) comma = text.size();
        const std::string part = Trim(text.substr(start, comma - start));
        if (!part.empty() && !IsOwnUserinit(part, windowsFolder)) {
            if (!extra.empty()) extra += ",";
            extra += part;
        }
        start = comma + 1;
    }
    return extra;
}

EntryList ListSetElsewhereEntries(int32_t kind) {
    EntryList entries;
    const SetElsewhereKey* key = FindKey(kind);
    if (!key || (key->view32 && !On64BitWindows())) return entries;
    const std::string windowsFolder = key->winlogon ? WindowsFolder() : std::string();
    // Where both views share the key (as some Windows versions keep the
    // policies), its values are the 64-bit view's and listed there only.
    const EntryList inOtherView = key->view32 ? ListSetElsewhereEntries(kMachinePolicyRun) : EntryList();
    for (auto& [name, value] : ReadRegValues(key->root, key->keyPath, ViewOf(*key))) {
        const bool listedThere = std::any_of(inOtherView.begin(), inOtherView.end(), [&](const StartupEntry& other) {
            return SameText(other.name, name) && other.command == value.text;
        });
        if (listedThere) continue;
        if (key->winlogon) {
            if (!SameText(name, "Shell") && !SameText(name, "Userinit")) continue;
            if (!value.IsString() || IsWindowsOwnWinlogonValue(name, value.text, windowsFolder)) continue;
        }
        StartupEntry entry;
        entry.name = name;
        entry.command = key->winlogon ? WinlogonExtra(name, value.text, windowsFolder) : value.text;
        entry.stored = value.type == REG_SZ          ? StoredValue::Text
                       : value.type == REG_EXPAND_SZ ? StoredValue::ExpandText
                                                     : StoredValue::NotText;
        if (entry.stored == StoredValue::NotText) entry.registryType = value.type;
        entry.active = 1;
        entry.kind = kind;
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string SetElsewherePath(int32_t kind) {
    const SetElsewhereKey* key = FindKey(kind);
    if (!key) return std::string();
    return std::string(key->root == HKEY_LOCAL_MACHINE ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\") + key->keyPath;
}

void WatchSetElsewhereKey(int32_t kind, LocationWatcher& watcher) {
    const SetElsewhereKey* key = FindKey(kind);
    if (!key || (key->view32 && !On64BitWindows())) return;
    watcher.WatchKeyOrParent(key->root, key->keyPath, ViewOf(*key));
}
