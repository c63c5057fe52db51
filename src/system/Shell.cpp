#include "system/Shell.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include "system/Files.h"

void OpenWithShell(const std::string& target) { ShellExecuteA(nullptr, "Open", target.c_str(), "", "", SW_SHOW); }

void OpenExistingWithShell(const std::string& path) {
    if (FileExists(path)) OpenWithShell(path);
}

std::string KnownFolderPath(KnownFolder folder) {
    int csidl = CSIDL_LOCAL_APPDATA;
    if (folder == KnownFolder::UserStartup) csidl = CSIDL_STARTUP;
    if (folder == KnownFolder::CommonStartup) csidl = CSIDL_COMMON_STARTUP;
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return std::string();
    std::string text = path;
    if (!text.empty() && text.back() == '\\') text.pop_back();
    return text;
}
