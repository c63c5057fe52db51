#include "system/Shell.h"

#include <windows.h>
#include <shellapi.h>

#include "system/Files.h"

void OpenWithShell(const std::string& target) {
    ShellExecuteA(nullptr, "Open", target.c_str(), "", "", SW_SHOW);
}

void OpenExistingWithShell(const std::string& path) {
    if (FileExists(path)) OpenWithShell(path);
}
