// Bootmarshal.exe entry point.
#include <windows.h>

#include <cstdlib>

#include "app/Startup.h"
#include "app/UninstallCleanup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::vector<std::string> arguments;
    for (int i = 1; i < __argc; ++i) arguments.emplace_back(__argv[i]);
    if (IsUninstallCleanup(arguments)) return RunUninstallCleanup(arguments);
    return RunBootmarshal(arguments);
}
