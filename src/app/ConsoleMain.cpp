// Bootmarshal.com entry point: the console twin of Bootmarshal.exe.
#include <windows.h>

#include <cstdlib>

#include "app/Startup.h"
#include "app/UninstallCleanup.h"

int main() {
    std::vector<std::string> arguments;
    for (int i = 1; i < __argc; ++i) arguments.emplace_back(__argv[i]);
    if (IsUninstallCleanup(arguments)) return RunUninstallCleanup(arguments);
    return RunBootmarshal(arguments, true);
}
