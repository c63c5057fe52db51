#include "system/Shell.h"

#include <windows.h>

#include <objbase.h>

#include <shellapi.h>
#include <shlobj.h>

#include "system/Files.h"
#include "system/Utf8.h"

ShellOpenResult OpenWithShell(const std::string& target) {
    const std::wstring file = WideFromUtf8(target);
    // The shell may hand the target to extensions that are COM objects wanting
    // an apartment; balanced whether this thread had COM already or not.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    // No message box of the shell's own: the caller tells the user. Not
    // asynchronous: the copy that starts the program again ends right after.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = L"open";
    // A document or an address takes no parameters, and the shell picks the folder.
    info.lpFile = file.c_str();
    info.nShow = SW_SHOWNORMAL;
    SetLastError(ERROR_SUCCESS);
    ShellOpenResult result;
    result.opened = ShellExecuteExW(&info) != FALSE;
    if (!result.opened) {
        result.error = GetLastError();
        // Where the platform set no error, the SE_ERR_ code in hInstApp says it
        // (its values are the matching system errors).
        const auto code = reinterpret_cast<INT_PTR>(info.hInstApp);
        if (result.error == ERROR_SUCCESS && code > 0 && code <= 32) result.error = static_cast<unsigned long>(code);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return result;
}

ShellOpenResult OpenExistingWithShell(const std::string& path) {
    if (!FileExists(path)) return ShellOpenResult{true, 0};
    return OpenWithShell(path);
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
