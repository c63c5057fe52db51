#include "system/Shell.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include "system/Files.h"
#include "system/Utf8.h"

// A document or an address takes no parameters, and the shell picks the folder.
void OpenWithShell(const std::string& target) {
    ShellExecuteW(nullptr, L"open", WideFromUtf8(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void OpenExistingWithShell(const std::string& path) {
    if (FileExists(path)) OpenWithShell(path);
}

std::string KnownFolderPath(KnownFolder folder) {
    int csidl = CSIDL_LOCAL_APPDATA;
    if (folder == KnownFolder::UserStartup) csidl = CSIDL_STARTUP;
    if (folder == KnownFolder::CommonStartup) csidl = CSIDL_COMMON_STARTUP;
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return std::string();
    std::string text = Utf8FromWide(path);
    if (!text.empty() && text.back() == '\\') text.pop_back();
    return text;
}
