#include "LocationsFixture.h"
#include "system/Utf8.h"

#include <algorithm>

#include "entries/ShellLink.h"
#include "entries/WinIniLocations.h"
#include "system/RegistryValues.h"
#include "system/Scoped.h"

namespace entrytest {

const char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kRunKeyBase[] = "Software\\Microsoft\\Windows\\CurrentVersion\\";
const char kRunKeyBase32[] = "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\";
const char kStartupApprovedKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved";
const char kWinIniRegistryKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

namespace {

const char* const kRunKeyNames[] = {"Run", "RunOnce", "RunOnceEx", "RunServices", "RunServicesOnce"};

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    wide.resize(n > 0 ? n - 1 : 0);
    return wide;
}

// Wide, so that items named in any script go too (a test may leave a link
// named in Cyrillic, which the ANSI functions would only see as "????").
void EmptyFolderWide(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + name;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            EmptyFolderWide(path + L"\\");
            RemoveDirectoryW(path.c_str());
        } else {
            DeleteFileW(path.c_str());
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

void EmptyFolder(const std::string& folder) { EmptyFolderWide(WideFromUtf8(folder)); }

std::string ShellFolderValue(HKEY root, const char* name) { return GetValue(root, kShellFoldersKey, name).second; }

void ClearAllLocations() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kStartupApprovedKey);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kStartupApprovedKey);
    for (const int kind : AllLocationKinds()) {
        if (IsRegistryKind(kind)) RegDeleteTreeA(RootOf(kind), KeyPathOf(kind).c_str());
        if (IsFolderKind(kind)) {
            MakeFolders(FolderOf(kind));
            EmptyFolder(FolderOf(kind));
        }
        if (IsWinIniKind(kind)) {
            ScopedKey key;
            if (RegOpenKeyExA(HKEY_CURRENT_USER, kWinIniRegistryKey, 0, KEY_SET_VALUE, key.receive()) ==
                ERROR_SUCCESS) {
                RegDeleteValueA(key.get(), WinIniKeyOf(kind));
            }
        }
    }
}

}  // namespace

HKEY RootOf(int kind) { return kind >= 21 ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

// The 32-bit view's keys by their real path, which a 64-bit process reaches
// without any view flag.
std::string KeyPathOf(int kind) {
    if (kind >= 26 && kind <= 28) {
        return std::string(kRunKeyBase32) + kRunKeyNames[kind - 26];
    }
    return std::string(kRunKeyBase) + kRunKeyNames[kind % 10 - 1];
}

std::string FolderOf(int kind) {
    std::string folder = kind == kCommonStartup ? ShellFolderValue(HKEY_LOCAL_MACHINE, "Common Startup")
                                                : ShellFolderValue(HKEY_CURRENT_USER, "STARTUP");
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

const char* WinIniKeyOf(int kind) { return kind == kWinIniLoad ? "load" : "run"; }

void SetValue(HKEY root, const std::string& key, const std::string& name, DWORD type, const void* data, DWORD size) {
    ScopedKey opened;
    ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, opened.receive(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(opened.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
}

void SetString(HKEY root, const std::string& key, const std::string& name, const std::string& text, DWORD type) {
    SetValue(root, key, name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

std::pair<DWORD, std::string> GetValue(HKEY root, const std::string& key, const std::string& name) {
    ScopedKey opened;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, opened.receive()) != ERROR_SUCCESS) return {0, ""};
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(opened.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {0, ""};
    std::string data(size, '\0');
    RegQueryValueExA(opened.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    data.resize(std::min<size_t>(size, data.size()));
    if (type == REG_SZ || type == REG_EXPAND_SZ) data.resize(strnlen(data.c_str(), data.size()));
    return {type, data};
}

bool KeyExists(HKEY root, const std::string& key) {
    ScopedKey opened;
    return RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, opened.receive()) == ERROR_SUCCESS;
}

size_t ValueCount(HKEY root, const std::string& key) {
    ScopedKey opened;
    DWORD count = 0;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, opened.receive()) != ERROR_SUCCESS) return 0;
    RegQueryInfoKeyA(opened.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                     nullptr, nullptr);
    return count;
}

std::string RawWinIni(const char* key) {
    const auto [type, text] = GetValue(HKEY_CURRENT_USER, kWinIniRegistryKey, key);
    return type == 0 ? "<missing>" : text;
}

void SetRawWinIni(const char* key, const std::string& list) {
    SetString(HKEY_CURRENT_USER, kWinIniRegistryKey, key, list);
}

bool WritePlatformLink(const std::string& file, const LinkFields& fields) {
    IShellLinkA* link = nullptr;
    IPersistFile* persist = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link)))) {
        return false;
    }
    bool ok = SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)));
    if (ok) {
        link->SetPath(fields.path.c_str());
        link->SetArguments(fields.arguments.c_str());
        link->SetWorkingDirectory(fields.workingDirectory.c_str());
        link->SetDescription(fields.description.c_str());
        link->SetIconLocation(fields.iconLocation.c_str(), fields.iconIndex);
        link->SetHotkey(fields.hotKey);
        ok = SUCCEEDED(persist->Save(Wide(file).c_str(), TRUE));
        persist->Release();
    }
    link->Release();
    return ok;
}

LinkFields ReadPlatformLink(const std::string& file) {
    LinkFields fields;
    IShellLinkA* link = nullptr;
    IPersistFile* persist = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link)))) {
        ADD_FAILURE() << "no shell-link object";
        return fields;
    }
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        if (SUCCEEDED(persist->Load(Wide(file).c_str(), STGM_READ))) {
            std::vector<char> text(4096);
            auto get = [&](auto call) {
                text[0] = '\0';
                call(text.data(), static_cast<int>(text.size()));
                return std::string(text.data());
            };
            fields.path = get([&](char* t, int n) { return link->GetPath(t, n, nullptr, SLGP_UNCPRIORITY); });
            fields.arguments = get([&](char* t, int n) { return link->GetArguments(t, n); });
            fields.workingDirectory = get([&](char* t, int n) { return link->GetWorkingDirectory(t, n); });
            fields.description = get([&](char* t, int n) { return link->GetDescription(t, n); });
            fields.iconLocation = get([&](char* t, int n) { return link->GetIconLocation(t, n, &fields.iconIndex); });
            link->GetHotkey(&fields.hotKey);
        } else {
            ADD_FAILURE() << "cannot load " << file;
        }
        persist->Release();
    }
    link->Release();
    return fields;
}

bool WriteBytes(const std::string& file, const std::string& bytes) {
    ScopedFile handle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return handle && WriteFile(handle.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

void MakeFolders(const std::string& folder) {
    for (size_t pos = folder.find('\\', 3); pos != std::string::npos; pos = folder.find('\\', pos + 1)) {
        CreateDirectoryA(folder.substr(0, pos).c_str(), nullptr);
    }
    CreateDirectoryA(folder.c_str(), nullptr);
}

std::vector<std::string> FolderItems(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    ScopedFind find(FindFirstFileA((folder + "*").c_str(), &found));
    if (!find) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find.get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::pair<std::string, std::string>> NamesAndCommands(const EntryList& entries, int kind) {
    std::vector<std::pair<std::string, std::string>> result;
    for (const StartupEntry& entry : entries) {
        if (entry.kind == kind) result.emplace_back(entry.name, entry.command);
    }
    std::sort(result.begin(), result.end());
    return result;
}

void LocationsTest::SetUp() {
    SharedShellLink();  // initialises COM for the platform calls of the tests too
    savedCommonStartup_ = ShellFolderValue(HKEY_LOCAL_MACHINE, "Common Startup");
    savedUserStartup_ = ShellFolderValue(HKEY_CURRENT_USER, "STARTUP");
    ASSERT_FALSE(savedCommonStartup_.empty());
    ASSERT_FALSE(savedUserStartup_.empty());
    ClearAllLocations();
}

void LocationsTest::TearDown() {
    SetRegistryWriteDenialForTests(nullptr);
    SetWinIniWriteDenialForTests(nullptr);
    SetString(HKEY_LOCAL_MACHINE, kShellFoldersKey, "Common Startup", savedCommonStartup_);
    SetString(HKEY_CURRENT_USER, kShellFoldersKey, "STARTUP", savedUserStartup_);
    ClearAllLocations();
}

}  // namespace entrytest
