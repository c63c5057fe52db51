#include "system/Elevation.h"

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include "system/DataFolder.h"
#include "system/Scoped.h"

namespace {

ElevatedStarter g_starter = nullptr;

ElevatedStart StartWithShell(const std::string& program, const std::string& arguments) {
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC;
    info.lpVerb = "runas";
    info.lpFile = program.c_str();
    info.lpParameters = arguments.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExA(&info)) return ElevatedStart::Started;
    return GetLastError() == ERROR_CANCELLED ? ElevatedStart::Cancelled : ElevatedStart::Failed;
}

}  // namespace

bool IsProcessElevated() {
    ScopedFile token;
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return false;
    token = ScopedFile(raw);
    TOKEN_ELEVATION elevation = {};
    DWORD size = 0;
    if (!GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size)) return false;
    return elevation.TokenIsElevated != 0;
}

ElevatedStart StartElevatedCopy(const std::string& arguments) {
    const std::string program = ExecutablePath();
    return g_starter ? g_starter(program, arguments) : StartWithShell(program, arguments);
}

void SetElevatedStarterForTests(ElevatedStarter starter) { g_starter = starter; }
