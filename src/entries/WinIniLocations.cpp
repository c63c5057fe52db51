#include "entries/WinIniLocations.h"

#include <windows.h>

#include <vector>

#include "entries/CommandText.h"
#include "entries/WinIniList.h"
#include "system/DataFolder.h"
#include "system/RegistryValues.h"
#include "system/Utf8.h"

namespace {

const wchar_t kSection[] = L"Windows";
const size_t kFirstReadChars = 2048;
// Twice what is ever written, so that a list someone else made longer is still
// seen whole up to that size; beyond it the list can be listed but not changed.
const size_t kMaxReadChars = 2 * (kMaxWinIniListLength + 1);

WinIniWriteDenial g_writeDenial = nullptr;

const char* KeyOf(int kind) {
    switch (kind) {
        case kWinIniLoad:
            return "load";
        case kWinIniRun:
            return "run";
        default:
            return nullptr;
    }
}

// The key's value; false when it is longer than can be read, and value then
// holds only its start.
bool ReadList(const std::string& file, const char* key, std::string& value) {
    const std::wstring wideKey = WideFromUtf8(key);
    const std::wstring wideFile = WideFromUtf8(file);
    std::vector<wchar_t> buffer(kFirstReadChars);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length =
            GetPrivateProfileStringW(kSection, wideKey.c_str(), L"", buffer.data(), size, wideFile.c_str());
        // A value that fills the buffer to its last character may have been cut.
        if (length + 1 < size) {
            value = Utf8FromWide(std::wstring_view(buffer.data(), length));
            return true;
        }
        if (buffer.size() >= kMaxReadChars) {
            value = Utf8FromWide(std::wstring_view(buffer.data(), length));
            return false;
        }
        buffer.resize(std::min(buffer.size() * 2, kMaxReadChars));
    }
}

}  // namespace

std::string WinIniPath() { return WindowsFolder() + "\\Win.ini"; }

EntryList ListWinIniEntries(int kind) {
    EntryList entries;
    const char* key = KeyOf(kind);
    if (!key) return entries;
    std::string list;
    ReadList(WinIniPath(), key, list);
    for (std::string& item : SplitWinIniList(list)) {
        StartupEntry entry;
        entry.name = DeriveEntryName(item);
        entry.command = std::move(item);
        entry.active = 1;
        entry.kind = kind;
        entries.push_back(std::move(entry));
    }
    return entries;
}

bool ReadWinIniList(int kind, std::string& list) {
    const char* key = KeyOf(kind);
    list.clear();
    return key && ReadList(WinIniPath(), key, list);
}

WriteOutcome WriteWinIniList(int kind, const std::string& list) {
    const char* key = KeyOf(kind);
    if (!key || list.size() > kMaxWinIniListLength) return WriteOutcome::Failed();
    if (g_writeDenial && g_writeDenial(key)) return WriteOutcome::Denied();
    if (WritePrivateProfileStringW(kSection, WideFromUtf8(key).c_str(), WideFromUtf8(list).c_str(),
                                   WideFromUtf8(WinIniPath()).c_str())) {
        return WriteOutcome::Done();
    }
    return WriteOutcomeOfError(GetLastError());
}

WriteOutcome AppendWinIniEntry(int kind, const std::string& item) {
    std::string list;
    // A list that cannot be read whole is only ever emptied, never stored cut.
    if (!ReadWinIniList(kind, list) && item != kClearWinIniList) return WriteOutcome::Failed();
    return WriteWinIniList(kind, AppendToWinIniList(list, item));
}

WriteOutcome RemoveWinIniEntry(int kind, const std::string& item) {
    std::string list;
    if (!ReadWinIniList(kind, list)) return WriteOutcome::Failed();
    const std::string rest = WinIniListWithout(list, item);
    return rest == list ? WriteOutcome::Done() : WriteWinIniList(kind, rest);
}

void SetWinIniWriteDenialForTests(WinIniWriteDenial denial) { g_writeDenial = denial; }
