#include "system/DataFolder.h"

#include <windows.h>

#include "system/Files.h"
#include "system/RegistryValues.h"
#include "system/Shell.h"
#include "system/TextRules.h"
#include "system/Utf8.h"

namespace {
const char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kMakerFolder[] = "Veltmanix";
}  // namespace

std::string ExecutablePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) return Utf8FromWide(std::wstring_view(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
}

std::string ProgramFolder() {
    const std::string exe = ExecutablePath();
    const size_t slash = exe.rfind('\\');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}

std::string DataFolder(const std::string& baseName) {
    // An empty value would make a folder at the drive's root: treat it as missing
    // and ask the shell, which knows the folder even where the old value is gone.
    std::string localAppData = ReadRegString(HKEY_CURRENT_USER, kShellFoldersKey, "Local AppData");
    if (localAppData.empty()) localAppData = KnownFolderPath(KnownFolder::LocalAppData);
    std::string folder =
        localAppData.empty() ? ProgramFolder() : WithTrailingBackslash(localAppData) + kMakerFolder + "\\";
    if (!baseName.empty()) folder += baseName + "\\";
    return folder;
}

std::string DataFile(const std::string& baseName, const std::string& fileName) {
    const std::string inData = DataFolder(baseName) + fileName;
    if (FileExists(inData)) return inData;
    const std::string inProgram = ProgramFolder() + fileName;
    if (FileExists(inProgram)) return inProgram;
    return inData;
}

bool PrepareDataFolder(const std::string& baseName, bool clear) {
    bool result = true;
    if (clear) DeleteFolderTree(DataFolder(baseName));
    const std::string maker = DataFolder("");
    if (!FolderExists(maker) && !CreateDirectoryW(WideFromUtf8(maker).c_str(), nullptr)) result = false;
    const std::string data = DataFolder(baseName);
    if (!FolderExists(data) && !CreateDirectoryW(WideFromUtf8(data).c_str(), nullptr)) result = false;
    return result;
}

bool MigrateDataFiles(const std::string& baseName, bool clear, const std::vector<std::string>& files) {
    const bool prepared = PrepareDataFolder(baseName, clear);
    const std::string from = ProgramFolder();
    const std::string to = DataFolder(baseName);
    for (const std::string& name : files) {
        if (FileExists(from + name) && !FileExists(to + name)) {
            CopyFileW(WideFromUtf8(from + name).c_str(), WideFromUtf8(to + name).c_str(), TRUE);
        }
    }
    return prepared;
}

std::string WindowsFolder() {
    wchar_t buffer[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH);
    std::string folder =
        (length > 0 && length < MAX_PATH) ? Utf8FromWide(std::wstring_view(buffer, length)) : std::string();
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}
