// The platform's side of the will-not-run check.
#include <windows.h>

#include <cstring>
#include <unordered_map>

#include "entries/PackagedAppsFamily.h"
#include "entries/RunCheck.h"
#include "system/RegistryValues.h"
#include "system/TextCase.h"
#include "system/TextRules.h"
#include "system/Utf8.h"

namespace {

std::string Expanded(const std::string& text) {
    if (text.find('%') == std::string::npos) return text;
    const std::wstring wide = WideFromUtf8(text);
    const DWORD needed = ExpandEnvironmentStringsW(wide.c_str(), nullptr, 0);
    if (needed == 0) return text;
    std::wstring out(needed, L'\0');
    const DWORD written = ExpandEnvironmentStringsW(wide.c_str(), &out[0], needed);
    if (written == 0 || written > needed) return text;
    out.resize(wcsnlen(out.data(), out.size()));
    return Utf8FromWide(out);
}

std::string SystemFolder() {
    wchar_t path[MAX_PATH + 1];
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? Utf8FromWide(std::wstring_view(path, length)) : std::string();
}

std::string WindowsFolderPath() {
    wchar_t path[MAX_PATH + 1];
    const UINT length = GetWindowsDirectoryW(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? Utf8FromWide(std::wstring_view(path, length)) : std::string();
}

// What the file system answered during one lookup's life. Many entries name
// the same few programs and folders, and the entries of a vendor that is gone
// share a missing folder: the folder is asked once, and no file in a missing
// folder is asked at all.
class FileCache {
public:
    bool FileExists(const std::string& path) {
        const std::string key = AsciiUpper(path);
        const auto found = files_.find(key);
        if (found != files_.end()) return found->second;
        const size_t slash = path.find_last_of('\\');
        bool exists = false;
        if (slash == std::string::npos || !CanAskFolder(path.substr(0, slash)) || FolderExists(path.substr(0, slash))) {
            const DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
            exists = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
        }
        files_.emplace(key, exists);
        return exists;
    }

    // A folder below a drive root ("C:\x"); roots and network shares are asked
    // as part of the path itself.
    static bool CanAskFolder(const std::string& folder) {
        return folder.size() > 3 && folder[1] == ':' && folder[2] == '\\';
    }
    // Any folder: one below a drive root through the cache, others asked directly.
    bool AnyFolderExists(const std::string& folder) {
        if (CanAskFolder(folder)) return FolderExists(folder);
        const DWORD attributes = GetFileAttributesW(WideFromUtf8(folder).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

private:
    bool FolderExists(const std::string& folder) {
        const std::string key = AsciiUpper(folder);
        const auto found = folders_.find(key);
        if (found != folders_.end()) return found->second;
        const size_t slash = folder.find_last_of('\\');
        bool exists = true;
        if (slash != std::string::npos && CanAskFolder(folder.substr(0, slash))) {
            exists = FolderExists(folder.substr(0, slash));
        }
        if (exists) {
            const DWORD attributes = GetFileAttributesW(WideFromUtf8(folder).c_str());
            exists = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
        }
        folders_.emplace(key, exists);
        return exists;
    }

    std::unordered_map<std::string, bool> files_;
    std::unordered_map<std::string, bool> folders_;
};

}  // namespace

NotRunReason WhyEntryWillNotStart(const StartupEntry& entry, const ProgramLookup& lookup) {
    if (entry.kind == kPackagedAppTasks) {
        const NotRunReason reason = WhyPackagedTaskWillNotStart(entry);
        if (reason != NotRunReason::None) return reason;
    }
    return WhyNotRun(entry, lookup);
}

ProgramLookup SystemProgramLookup() {
    ProgramLookup lookup;
    auto files = std::make_shared<FileCache>();
    lookup.fileExists = [files](const std::string& path) { return files->FileExists(path); };
    lookup.folderExists = [files](const std::string& path) {
        std::string folder = path;
        while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
        return files->AnyFolderExists(folder);
    };
    lookup.expand = Expanded;
    const std::string system = SystemFolder();
    const std::string windows = WindowsFolderPath();
    if (!system.empty()) lookup.searchFolders.push_back(WithTrailingBackslash(system));
    if (!windows.empty()) {
        lookup.searchFolders.push_back(WithTrailingBackslash(windows) + "System\\");
        lookup.searchFolders.push_back(WithTrailingBackslash(windows));
    }
    const DWORD pathLength = GetEnvironmentVariableW(L"PATH", nullptr, 0);
    if (pathLength > 0) {
        std::wstring widePath(pathLength, L'\0');
        widePath.resize(GetEnvironmentVariableW(L"PATH", &widePath[0], pathLength));
        const std::string path = Utf8FromWide(widePath);
        size_t start = 0;
        while (start <= path.size()) {
            size_t end = path.find(';', start);
            if (end == std::string::npos) end = path.size();
            const std::string folder = Trim(Expanded(path.substr(start, end - start)));
            if (!folder.empty()) lookup.searchFolders.push_back(WithTrailingBackslash(folder));
            start = end + 1;
        }
    }
    auto appPaths = std::make_shared<std::unordered_map<std::string, std::string>>();
    lookup.appPath = [appPaths](const std::string& fileName) {
        const std::string key = AsciiUpper(fileName);
        const auto found = appPaths->find(key);
        if (found != appPaths->end()) return found->second;
        const std::string subkey = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + fileName;
        std::string program = ReadRegString(HKEY_CURRENT_USER, subkey, "");
        if (program.empty()) program = ReadRegString(HKEY_LOCAL_MACHINE, subkey, "");
        program = Expanded(program);
        appPaths->emplace(key, program);
        return program;
    };
    return lookup;
}
