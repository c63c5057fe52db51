// Fills a prefix as a well-used machine looks at logon: 300 values over the ten
// Run-family keys, 20 win.ini items, 10 Startup links and a block list of 30
// commands, none of which is active (blocked entries that stayed away).
#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <string>

#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/RegistryValues.h"

namespace {

const char* const kKeys[] = {"Run", "RunOnce", "RunOnceEx", "RunServices", "RunServicesOnce"};

std::string StartupFolder(HKEY root, const char* value) {
    std::string folder =
        ReadRegString(root, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", value);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\";
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CoInitialize(nullptr);
    int written = 0;
    for (int i = 0; i < 300; ++i) {
        const HKEY root = (i % 10) < 5 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
        const std::string key = std::string("Software\\Microsoft\\Windows\\CurrentVersion\\") + kKeys[i % 5];
        const std::string command = "\"C:\\Program Files\\Vendor " + std::to_string(i) + "\\tool.exe\" /background";
        written += static_cast<bool>(WriteRegString(root, key, "Vendor tool " + std::to_string(i), command));
    }
    std::string load, run;
    for (int i = 0; i < 10; ++i) {
        load += (i ? ";" : "") + std::string("C:\\Legacy\\load") + std::to_string(i) + ".exe";
        run += (i ? ";" : "") + std::string("C:\\Legacy\\run") + std::to_string(i) + ".exe";
    }
    const char winIni[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
    written += static_cast<bool>(WriteRegString(HKEY_CURRENT_USER, winIni, "load", load));
    written += static_cast<bool>(WriteRegString(HKEY_CURRENT_USER, winIni, "run", run));
    for (int i = 0; i < 10; ++i) {
        const std::string folder =
            i % 2 ? StartupFolder(HKEY_CURRENT_USER, "STARTUP") : StartupFolder(HKEY_LOCAL_MACHINE, "Common Startup");
        written += testsupport::WritePlatformLink(folder + "Helper " + std::to_string(i) + ".lnk",
                                                  "C:\\Program Files\\Helper " + std::to_string(i) + "\\helper.exe",
                                                  "-minimized");
    }
    std::string list;
    for (int i = 0; i < 30; ++i) list += "C:\\Adware\\popup" + std::to_string(i) + ".exe /silent\r\n";
    PrepareDataFolder("Bootmarshal", false);
    const std::string listPath = DataFolder("Bootmarshal") + "Bootmarshal.list";
    HANDLE file = CreateFileA(listPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    WriteFile(file, list.data(), static_cast<DWORD>(list.size()), &done, nullptr);
    CloseHandle(file);
    CoUninitialize();
    return written == 312 ? 0 : 1;
}
