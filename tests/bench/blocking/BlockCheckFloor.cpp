// The floor of the logon check: the same platform work with bare API calls and
// no logic. COM is initialised, every link of both Startup folders is loaded
// through the shell-link object, every value of the ten keys is read, both
// win.ini lists are read, and the block list file is read.
#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <string>

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string ReadString(HKEY root, const char* key, const char* name) {
    char buffer[MAX_PATH] = {};
    DWORD size = sizeof buffer;
    HKEY handle;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return std::string();
    RegQueryValueExA(handle, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(handle);
    return buffer;
}

void LoadLinks(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*.lnk").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        IShellLinkA* link = nullptr;
        if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    reinterpret_cast<void**>(&link)))) {
            continue;
        }
        IPersistFile* persist = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
            wchar_t wide[MAX_PATH];
            MultiByteToWideChar(CP_ACP, 0, (folder + "\\" + found.cFileName).c_str(), -1, wide, MAX_PATH);
            if (SUCCEEDED(persist->Load(wide, 0))) {
                char path[MAX_PATH], arguments[MAX_PATH];
                link->GetPath(path, MAX_PATH, nullptr, SLGP_UNCPRIORITY);
                link->GetArguments(arguments, MAX_PATH);
            }
            persist->Release();
        }
        link->Release();
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CoInitialize(nullptr);
    LoadLinks(ReadString(HKEY_LOCAL_MACHINE, kShellFolders, "Common Startup"));
    LoadLinks(ReadString(HKEY_CURRENT_USER, kShellFolders, "STARTUP"));
    const char* const keys[] = {"Run", "RunOnce", "RunOnceEx", "RunServices", "RunServicesOnce"};
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        for (const char* key : keys) {
            HKEY handle;
            const std::string path = std::string("Software\\Microsoft\\Windows\\CurrentVersion\\") + key;
            if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) continue;
            char name[16384];
            BYTE data[4096];
            for (DWORD i = 0;; ++i) {
                DWORD nameLength = sizeof name, dataSize = sizeof data, type = 0;
                if (RegEnumValueA(handle, i, name, &nameLength, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
                    break;
            }
            RegCloseKey(handle);
        }
    }
    char buffer[32767];
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string winIni = std::string(windows) + "\\Win.ini";
    GetPrivateProfileStringA("Windows", "load", "", buffer, sizeof buffer, winIni.c_str());
    GetPrivateProfileStringA("Windows", "run", "", buffer, sizeof buffer, winIni.c_str());
    const std::string list =
        ReadString(HKEY_CURRENT_USER, kShellFolders, "Local AppData") + "\\Veltmanix\\Bootmarshal\\Bootmarshal.list";
    HANDLE file = CreateFileA(list.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD got = 0;
        ReadFile(file, buffer, sizeof buffer, &got, nullptr);
        CloseHandle(file);
    }
    CoUninitialize();
    return 0;
}
