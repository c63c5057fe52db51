#include "entries/StartupFolders.h"

#include "entries/StartupEntry.h"
#include "system/RegistryValues.h"
#include "system/Shell.h"

namespace {

const char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

struct FolderValue {
    int kind;
    HKEY root;
    const char* valueName;
    KnownFolder shellFolder;  // asked when the value is missing or empty
};

const FolderValue kFolderValues[] = {
    {kCommonStartup, HKEY_LOCAL_MACHINE, "Common Startup", KnownFolder::CommonStartup},
    {kUserStartup, HKEY_CURRENT_USER, "STARTUP", KnownFolder::UserStartup},
};

}  // namespace

std::string StartupFolder(int kind) {
    for (const FolderValue& folder : kFolderValues) {
        if (folder.kind != kind) continue;
        std::string path = ReadRegString(folder.root, kShellFoldersKey, folder.valueName);
        if (path.empty()) path = KnownFolderPath(folder.shellFolder);
        if (!path.empty() && path.back() != '\\') path += '\\';
        return path;
    }
    return std::string();
}
