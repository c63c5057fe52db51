#include "blocking/BlockList.h"

#include <windows.h>

#include <algorithm>
#include <unordered_set>

#include "blocking/BlockListFormat.h"
#include "blocking/BlockMatch.h"
#include "system/AtomicFile.h"
#include "system/DataFolder.h"
#include "system/FileLock.h"
#include "system/Files.h"
#include "system/ProductNames.h"
#include "system/RegistryValues.h"
#include "system/TextCase.h"
#include "system/TextRules.h"
#include "system/Utf8.h"

const char kBlockListFileName[] = "Bootmarshal.list";
const char kBlockCheckValueName[] = "Bootmarshal Block-check";

namespace {

const char kUserRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::vector<std::string> g_lines;
// The lines as the logon check looks them up: one set lookup per entry, so the
// check costs entries plus lines, not entries times lines.
std::unordered_set<std::string> g_keys;

// Quoted and unquoted forms of a command, in any letter case, are one key.
std::string MatchKey(const std::string& command) { return TextKey(BlockMatchForm(command)); }

// A line typed with blanks at either end is kept as it stands and meets no
// command (commands are compared trimmed); only its own position releases it.
bool LineCanMatch(const std::string& line) { return !line.empty() && line == Trim(line); }

void SetLines(std::vector<std::string> lines) {
    g_lines = std::move(lines);
    g_keys.clear();
    for (const std::string& line : g_lines) {
        if (LineCanMatch(line) && !BlockMatchForm(line).empty()) g_keys.insert(MatchKey(line));
    }
}

std::string BlockListPath() { return DataFile(kBaseName, kBlockListFileName); }

// The first line that is the same command, or the end.
std::vector<std::string>::iterator FindLineIn(std::vector<std::string>& lines, const std::string& command) {
    const std::string key = MatchKey(command);
    for (auto line = lines.begin(); line != lines.end(); ++line) {
        if (LineCanMatch(*line) && MatchKey(*line) == key) return line;
    }
    return lines.end();
}

// Every change of the list: under the lock, the file is read again, the change
// is applied to what it holds now (another copy of the program may have
// changed it since this one read it) and the file is replaced. A file that
// exists but cannot be read is kept as it is, and the change is not saved.
template <typename Change>
BlockListChange ChangeBlockList(Change change) {
    const std::string path = BlockListPath();
    const DataFileLock lock(path);
    std::vector<std::string> lines = g_lines;
    bool readable = lock.held();
    if (readable) {
        std::string bytes;
        // Only a path that holds nothing means an empty list; a folder in the
        // file's place cannot be read, and the list in memory stays.
        if (GetFileAttributesW(WideFromUtf8(path).c_str()) == INVALID_FILE_ATTRIBUTES) {
            lines.clear();
        } else if (ReadWholeFile(path, bytes)) {
            lines = ParseBlockListBytes(bytes);
        } else {
            readable = false;
        }
    }
    BlockListChange result;
    result.accepted = change(lines);
    SetLines(std::move(lines));
    result.saved = readable && ReplaceFileAtomically(path, BlockListBytes(g_lines));
    result.logonCheckSet = SetBlockCheckRun(!g_lines.empty());
    return result;
}

}  // namespace

void LoadBlockList() {
    const std::string path = BlockListPath();
    // Read under the lock as well: an open reader would make another copy's
    // replacement of the file fail.
    const DataFileLock lock(path);
    std::string bytes;
    SetLines(FileExists(path) && ReadWholeFile(path, bytes) ? ParseBlockListBytes(bytes) : std::vector<std::string>());
}

bool IsBlocked(const std::string& command) {
    // An empty command would meet every value that holds no text.
    return !BlockMatchForm(command).empty() && g_keys.count(MatchKey(command)) != 0;
}

BlockListChange Block(const std::string& command) {
    const std::string trimmed = Trim(command);
    return ChangeBlockList([&](std::vector<std::string>& lines) {
        // A blank command (or bare quotation marks) would meet every value
        // that holds no text.
        if (!FitsOnOneLine(trimmed) || BlockMatchForm(trimmed).empty()) return false;
        if (FindLineIn(lines, trimmed) == lines.end()) lines.push_back(trimmed);
        return true;
    });
}

BlockListChange Unblock(const std::string& command) {
    const std::string trimmed = Trim(command);
    return ChangeBlockList([&](std::vector<std::string>& lines) {
        const auto line = FindLineIn(lines, trimmed);
        if (line == lines.end()) return false;
        lines.erase(line);
        return true;
    });
}

std::vector<std::string> BlockListLines() { return g_lines; }

bool SaveBlockList() {
    const std::string path = BlockListPath();
    const DataFileLock lock(path);
    const bool written = lock.held() && ReplaceFileAtomically(path, BlockListBytes(g_lines));
    const bool logonCheckSet = SetBlockCheckRun(!g_lines.empty());
    return written && logonCheckSet;
}

bool SetBlockCheckRun(bool flag) {
    if (!flag) return static_cast<bool>(DeleteRegValue(HKEY_CURRENT_USER, kUserRunKey, kBlockCheckValueName));
    // Created with its key when missing: a profile without a Run key would
    // otherwise never run the check while the list holds lines. Quoted: an
    // unquoted path with spaces would let Windows start a planted
    // "C:\Program.exe" at every logon instead.
    return static_cast<bool>(WriteRegString(HKEY_CURRENT_USER, kUserRunKey, kBlockCheckValueName,
                                            "\"" + ExecutablePath() + "\" /blocklist"));
}

std::string BlockCheckRunPlace() {
    return std::string("HKEY_CURRENT_USER\\") + kUserRunKey + "\\" + kBlockCheckValueName;
}

BlockListChange UnblockLineAt(size_t position) {
    if (position >= g_lines.size()) return BlockListChange();
    // The position is the one the user saw; another copy may have changed the
    // file since, so the line is found again by its exact text.
    const std::string shown = g_lines[position];
    return ChangeBlockList([&](std::vector<std::string>& lines) {
        const auto line = std::find(lines.begin(), lines.end(), shown);
        if (line != lines.end()) lines.erase(line);
        return true;
    });
}
