#include "system/MyTricks.h"

#include <shellapi.h>

#include "system/CommandSplit.h"
#include "system/Errors.h"
#include "system/Scoped.h"
#include "system/TextRules.h"

namespace {

const char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kMakerFolder[] = "Veltmanix";

RegistryWriteDenial g_registryWriteDenial = nullptr;

std::string WithoutLeadingBackslash(const std::string& keyPath) {
    return (!keyPath.empty() && keyPath[0] == '\\') ? keyPath.substr(1) : keyPath;
}

std::string WithBackslash(std::string path) {
    if (path.empty() || path.back() != '\\') path += '\\';
    return path;
}

bool WriteDenied(HKEY root, const std::string& keyPath) {
    return g_registryWriteDenial && g_registryWriteDenial(root, WithoutLeadingBackslash(keyPath));
}

// A string value's bytes up to the first NUL; registry data need not be terminated.
std::string StringFromRegData(const std::vector<char>& data, DWORD size) {
    std::string text(data.data(), data.data() + std::min<size_t>(size, data.size()));
    const size_t nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
    return text;
}

// Lists a folder (all attributes); calls visit(name, isFolder) for each item other
// than "." and "..", preferring the short name. Stops when visit returns false.
template <typename Visit>
bool ForEachItem(const std::string& folder, Visit visit) {
    WIN32_FIND_DATAA found;
    ScopedFind find(FindFirstFileA((folder + "*").c_str(), &found));
    if (!find) return true;  // A folder that cannot be listed counts as empty.
    do {
        ProcessPendingMessages();
        const std::string longName = found.cFileName;
        if (longName == "." || longName == "..") continue;
        const std::string name = found.cAlternateFileName[0] ? found.cAlternateFileName : longName;
        if (!visit(name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)) return false;
    } while (FindNextFileA(find.get(), &found));
    return true;
}

bool ClearReadOnly(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if (attributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return true;
}

// driveRoots: every root framed by NUL characters, upper-cased. False ends the deletion.
bool DeleteTreeBelow(const std::string& folder, const std::string& driveRoots) {
    ProcessPendingMessages();
    const bool listed = ForEachItem(folder, [&](const std::string& name, bool isFolder) {
        const std::string path = folder + name;
        if (isFolder) return DeleteTreeBelow(path + "\\", driveRoots);
        return ClearReadOnly(path) && DeleteFileA(path.c_str());
    });
    if (!listed) return false;
    if (driveRoots.find(std::string(1, '\0') + AnsiUpper(folder) + '\0') != std::string::npos) return true;
    return ClearReadOnly(folder) && RemoveDirectoryA(folder.c_str());
}

}  // namespace

std::string ExecutablePath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::string ProgramFolder() {
    const std::string exe = ExecutablePath();
    const size_t slash = exe.rfind('\\');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}

std::string DataFolder(const std::string& baseName) {
    // An empty value would make a folder at the drive's root: treat it as missing.
    const std::string localAppData = ReadRegString(HKEY_CURRENT_USER, kShellFoldersKey, "Local AppData");
    std::string folder = localAppData.empty() ? ProgramFolder()
                                              : WithBackslash(localAppData) + kMakerFolder + "\\";
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
    if (!FolderExists(maker) && !CreateDirectoryA(maker.c_str(), nullptr)) result = false;
    const std::string data = DataFolder(baseName);
    if (!FolderExists(data) && !CreateDirectoryA(data.c_str(), nullptr)) result = false;
    return result;
}

bool MigrateDataFiles(const std::string& baseName, bool clear, const std::vector<std::string>& files) {
    const bool prepared = PrepareDataFolder(baseName, clear);
    const std::string from = ProgramFolder();
    const std::string to = DataFolder(baseName);
    for (const std::string& name : files) {
        if (FileExists(from + name) && !FileExists(to + name)) {
            CopyFileA((from + name).c_str(), (to + name).c_str(), TRUE);
        }
    }
    return prepared;
}

void DeleteFolderTree(const std::string& folder) {
    char roots[1024] = {};
    const DWORD length = GetLogicalDriveStringsA(1022, roots + 1);
    if (length == 0 || length > 1022) return;
    // "\0C:\\\0D:\\\0...": each root framed by NUL characters.
    const std::string driveRoots = AnsiUpper(std::string(roots, length + 2));

    char shortPath[MAX_PATH];
    const DWORD shortLength = GetShortPathNameA(folder.c_str(), shortPath, MAX_PATH);
    if (shortLength == 0 || shortLength >= MAX_PATH) return;
    DeleteTreeBelow(WithBackslash(AnsiUpper(shortPath)), driveRoots);
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadFirstLine(const std::string& path) {
    if (!FileExists(path)) return std::string();
    ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw EInOutError("\"" + path + "\" cannot be read");
    std::string line;
    char buffer[512];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
        for (DWORD i = 0; i < got; ++i) {
            if (buffer[i] == '\r' || buffer[i] == '\n') return line;
            line += buffer[i];
        }
    }
    return line;
}

void WriteTextFileOnce(const std::string& path, const std::string& text) {
    if (FileExists(path)) return;
    ScopedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw EInOutError("\"" + path + "\" cannot be created");
    DWORD written = 0;
    if (!WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written != text.size()) {
        throw EInOutError("\"" + path + "\" cannot be written");
    }
}

std::string ReadRegString(HKEY root, const std::string& keyPath, const std::string& valueName) {
    ScopedKey key;
    if (RegOpenKeyExA(root, WithoutLeadingBackslash(keyPath).c_str(), 0, KEY_QUERY_VALUE, key.receive()) !=
        ERROR_SUCCESS) {
        return std::string();
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return std::string();
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::string();
    std::vector<char> data(size + 1);
    if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::string();
    }
    return StringFromRegData(data, size);
}

std::vector<std::pair<std::string, std::string>> ReadRegStringValues(HKEY root, const std::string& keyPath) {
    std::vector<std::pair<std::string, std::string>> values;
    ScopedKey key;
    if (RegOpenKeyExA(root, WithoutLeadingBackslash(keyPath).c_str(), 0, KEY_QUERY_VALUE, key.receive()) !=
        ERROR_SUCCESS) {
        return values;
    }
    DWORD count = 0, maxName = 0, maxData = 0;
    if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &maxName,
                         &maxData, nullptr, nullptr) != ERROR_SUCCESS) {
        return values;
    }
    values.reserve(count);
    std::vector<char> name(maxName + 2);
    std::vector<char> data(maxData + 2);
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        const LONG status = RegEnumValueA(key.get(), index, name.data(), &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data.data()), &dataSize);
        if (status == ERROR_MORE_DATA) {
            // The key grew since it was measured: make room and read this index again.
            name.resize(name.size() * 2 + 256);
            data.resize(std::max<size_t>(data.size() * 2, dataSize + 2));
            --index;
            continue;
        }
        if (status != ERROR_SUCCESS) break;
        const bool isString = type == REG_SZ || type == REG_EXPAND_SZ;
        values.emplace_back(std::string(name.data(), nameLength),
                            isString ? StringFromRegData(data, dataSize) : std::string());
    }
    return values;
}

bool WriteRegString(HKEY root, const std::string& keyPath, const std::string& valueName, const std::string& text) {
    if (WriteDenied(root, keyPath)) return false;
    ScopedKey key;
    if (RegCreateKeyExA(root, WithoutLeadingBackslash(keyPath).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, key.receive(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    return RegSetValueExA(key.get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool DeleteRegValue(HKEY root, const std::string& keyPath, const std::string& valueName) {
    if (WriteDenied(root, keyPath)) return false;
    ScopedKey key;
    const LONG opened = RegOpenKeyExA(root, WithoutLeadingBackslash(keyPath).c_str(), 0, KEY_SET_VALUE, key.receive());
    if (opened == ERROR_FILE_NOT_FOUND) return true;  // No key, no value.
    if (opened != ERROR_SUCCESS) return false;
    const LONG status = RegDeleteValueA(key.get(), valueName.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

void OpenWithShell(const std::string& target) {
    ShellExecuteA(nullptr, "Open", target.c_str(), "", "", SW_SHOW);
}

void OpenExistingWithShell(const std::string& path) {
    if (FileExists(path)) OpenWithShell(path);
}

std::string WindowsFolder() {
    char buffer[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
    std::string folder = (length > 0 && length < MAX_PATH) ? std::string(buffer, length) : std::string();
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

std::string ProgramPart(const std::string& command) { return ProgramPartWith(command, FileExists); }

std::string ArgumentsPart(const std::string& command) { return ArgumentsPartWith(command, FileExists); }

std::string AnsiUpper(const std::string& text) {
    std::string upper = text;
    if (!upper.empty()) CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    return upper;
}

bool AnsiSameText(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

void ProcessPendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void SetRegistryWriteDenialForTests(RegistryWriteDenial denial) { g_registryWriteDenial = denial; }
