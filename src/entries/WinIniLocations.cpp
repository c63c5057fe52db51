#include "entries/WinIniLocations.h"

#include <windows.h>

#include <vector>

#include "entries/CommandText.h"
#include "entries/WinIniList.h"
#include "system/DataFolder.h"

namespace {

const char kSection[] = "Windows";
const size_t kFirstReadChars = 2048;
// Twice what is ever written, so that a list someone else made longer is still
// seen whole up to that size; beyond it the list can be listed but not changed.
const size_t kMaxReadChars = 2 * (kMaxWinIniListLength + 1);

WinIniWriteDenial g_writeDenial = nullptr;

const char* KeyOf(int kind) {
    switch (kind) {
        case kWinIniLoad: return "load";
        case kWinIniRun: return "run";
        default: return nullptr;
    }
}

// The key's value; false when it is longer than can be read, and value then
// holds only its start.
bool ReadList(const std::string& file, const char* key, std::string& value) {
    std::vector<char> buffer(kFirstReadChars);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetPrivateProfileStringA(kSection, key, "", buffer.data(), size, file.c_str());
        // A value that fills the buffer to its last character may have been cut.
        if (length + 1 < size) {
            value.assign(buffer.data(), length);
            return true;
        }
        if (buffer.size() >= kMaxReadChars) {
            value.assign(buffer.data(), length);
            return false;
        }
        buffer.resize(std::min(buffer.size() * 2, kMaxReadChars));
    }
}

[[noreturn]] void RefuseWrite(const std::string& file) {
    std::string message = "nach %s kann nicht geschrieben werden";
    message.replace(message.find("%s"), 2, file);
    throw EWinIniWriteError(message);
}

void WriteList(const std::string& file, const char* key, const std::string& value) {
    if (value.size() > kMaxWinIniListLength) RefuseWrite(file);
    if (g_writeDenial && g_writeDenial(key)) RefuseWrite(file);
    if (!WritePrivateProfileStringA(kSection, key, value.c_str(), file.c_str())) RefuseWrite(file);
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

bool AppendWinIniEntry(int kind, const std::string& item) {
    const char* key = KeyOf(kind);
    if (!key) return false;
    const std::string file = WinIniPath();
    std::string list;
    // A list that cannot be read whole is only ever emptied, never stored cut.
    if (!ReadList(file, key, list) && item != kClearWinIniList) RefuseWrite(file);
    WriteList(file, key, AppendToWinIniList(list, item));
    return true;
}

bool RemoveWinIniEntry(int kind, const std::string& item) {
    const char* key = KeyOf(kind);
    if (!key) return false;
    const std::string file = WinIniPath();
    std::string list;
    if (!ReadList(file, key, list)) RefuseWrite(file);
    const std::string rest = WinIniListWithout(list, item);
    if (rest != list) WriteList(file, key, rest);
    return true;
}

void SetWinIniWriteDenialForTests(WinIniWriteDenial denial) { g_writeDenial = denial; }
