#include "blocking/BlockList.h"

#include <windows.h>

#include "blocking/BlockListFormat.h"
#include "system/AtomicFile.h"
#include "system/DataFolder.h"
#include "system/Files.h"
#include "system/ProductNames.h"
#include "system/Scoped.h"
#include "system/TextCase.h"
#include "system/TextRules.h"

const char kBlockListFileName[] = "Bootmarshal.list";
const char kBlockCheckValueName[] = "Bootmarshal Block-check";

namespace {

const char kUserRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::vector<std::string> g_lines;

std::string BlockListPath() { return DataFile(kBaseName, kBlockListFileName); }

// The first line equal to the command ignoring case, or the end.
std::vector<std::string>::iterator FindLine(const std::string& trimmedCommand) {
    for (auto line = g_lines.begin(); line != g_lines.end(); ++line) {
        if (SameText(*line, trimmedCommand)) return line;
    }
    return g_lines.end();
}

}  // namespace

void LoadBlockList() {
    g_lines.clear();
    const std::string path = BlockListPath();
    std::string bytes;
    if (FileExists(path) && ReadWholeFile(path, bytes)) g_lines = ParseBlockListBytes(bytes);
}

bool IsBlocked(const std::string& command) { return FindLine(Trim(command)) != g_lines.end(); }

BlockListChange Block(const std::string& command) {
    const std::string trimmed = Trim(command);
    BlockListChange change;
    change.accepted = FitsOnOneLine(trimmed);
    if (change.accepted && !IsBlocked(trimmed)) g_lines.push_back(trimmed);
    change.saved = SaveBlockList();
    return change;
}

BlockListChange Unblock(const std::string& command) {
    const auto line = FindLine(Trim(command));
    BlockListChange change;
    change.accepted = line != g_lines.end();
    if (change.accepted) g_lines.erase(line);
    change.saved = SaveBlockList();
    return change;
}

std::vector<std::string> BlockListLines() { return g_lines; }

bool SaveBlockList() {
    const bool written = ReplaceFileAtomically(BlockListPath(), BlockListBytes(g_lines));
    SetBlockCheckRun(!g_lines.empty());
    return written;
}

void SetBlockCheckRun(bool flag) {
    ScopedKey key;
    const REGSAM access = KEY_QUERY_VALUE | KEY_SET_VALUE;
    if (!flag) {
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kUserRunKey, 0, access, key.receive()) == ERROR_SUCCESS) {
            RegDeleteValueA(key.get(), kBlockCheckValueName);
        }
        return;
    }
    // Created when missing: a profile without a Run key would otherwise never
    // run the check while the list holds lines.
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kUserRunKey, 0, nullptr, 0, access, nullptr, key.receive(), nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    // Quoted: an unquoted path with spaces would let Windows start a planted
    // "C:\Program.exe" at every logon instead.
    const std::string data = "\"" + ExecutablePath() + "\" /blocklist";
    RegSetValueExA(key.get(), kBlockCheckValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>(data.size() + 1));
}

BlockListChange UnblockLineAt(size_t position) {
    BlockListChange change;
    if (position >= g_lines.size()) return change;
    g_lines.erase(g_lines.begin() + static_cast<std::ptrdiff_t>(position));
    change.accepted = true;
    change.saved = SaveBlockList();
    return change;
}
