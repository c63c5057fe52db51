#include "system/Elevation.h"

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include "system/DataFolder.h"
#include "system/Scoped.h"
#include "system/Utf8.h"

namespace {

ElevatedStarter g_starter = nullptr;
bool g_notElevatedForTests = false;

ElevatedStart StartWithShell(const std::string& program, const std::string& arguments) {
    const std::wstring file = WideFromUtf8(program);
    const std::wstring parameters = WideFromUtf8(arguments);
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC;
    info.lpVerb = L"runas";
    info.lpFile = file.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExW(&info)) return ElevatedStart::Started;
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

bool RunsElevated() {
    static const bool elevated = IsProcessElevated();
    return elevated && !g_notElevatedForTests;
}

void SetNotElevatedForTests(bool notElevated) { g_notElevatedForTests = notElevated; }

bool EnablePrivilege(const char* privilegeName) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return false;
    bool enabled = false;
    LUID luid{};
    if (LookupPrivilegeValueW(nullptr, WideFromUtf8(privilegeName).c_str(), &luid)) {
        TOKEN_PRIVILEGES wanted{};
        wanted.PrivilegeCount = 1;
        wanted.Privileges[0].Luid = luid;
        wanted.Privileges[0].Attributes = 0;
        TOKEN_PRIVILEGES previous{};
        DWORD length = 0;
        if (AdjustTokenPrivileges(token, FALSE, &wanted, sizeof previous, &previous, &length)) {
            DWORD attributes = 0;
            if (length == sizeof previous && previous.PrivilegeCount == 1 &&
                previous.Privileges[0].Luid.LowPart == luid.LowPart &&
                previous.Privileges[0].Luid.HighPart == luid.HighPart) {
                attributes = previous.Privileges[0].Attributes;
            }
            wanted.Privileges[0].Attributes = attributes | SE_PRIVILEGE_ENABLED;
            enabled = AdjustTokenPrivileges(token, FALSE, &wanted, 0, nullptr, nullptr) != 0;
        }
    }
    CloseHandle(token);
    return enabled;
}

ElevatedStart StartElevatedCopy(const std::string& arguments) {
    const std::string program = ExecutablePath();
    return g_starter ? g_starter(program, arguments) : StartWithShell(program, arguments);
}

void SetElevatedStarterForTests(ElevatedStarter starter) { g_starter = starter; }
