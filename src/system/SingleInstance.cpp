#include "system/SingleInstance.h"

#include <windows.h>

#include <string>

#include "system/Scoped.h"
#include "system/Utf8.h"

namespace {

// Local: one copy per logon session, as each session has its own desktop.
const wchar_t kGuardName[] = L"Local\\Bootmarshal.Interactive";

HANDLE g_guard = nullptr;

std::wstring FileNameOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring ProcessImagePath(DWORD processId) {
    HANDLE opened = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!opened) return std::wstring();
    const ScopedFile process(opened);
    wchar_t path[MAX_PATH * 2];
    DWORD size = static_cast<DWORD>(sizeof path / sizeof path[0]);
    if (!QueryFullProcessImageNameW(process.get(), 0, path, &size)) return std::wstring();
    return std::wstring(path, size);
}

std::wstring OwnImagePath() {
    wchar_t path[MAX_PATH * 2];
    const DWORD size = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(sizeof path / sizeof path[0]));
    return std::wstring(path, size);
}

struct Search {
    const wchar_t* className;
    std::wstring ownFileName;
    HWND found;
};

// "TForm1" is a common class name of other programs too: a window counts only
// when a process of the same program file name owns it.
BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
    Search& search = *reinterpret_cast<Search*>(context);
    wchar_t className[64];
    if (!GetClassNameW(window, className, static_cast<int>(sizeof className / sizeof className[0]))) return TRUE;
    if (lstrcmpW(className, search.className) != 0 || !IsWindowVisible(window)) return TRUE;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == GetCurrentProcessId()) return TRUE;
    if (lstrcmpiW(FileNameOf(ProcessImagePath(processId)).c_str(), search.ownFileName.c_str()) != 0) return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

bool ClaimSingleInstance() {
    if (g_guard) return true;
    HANDLE guard = CreateMutexW(nullptr, FALSE, kGuardName);
    if (!guard) return true;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(guard);
        return false;
    }
    g_guard = guard;
    return true;
}

void ReleaseSingleInstance() {
    if (!g_guard) return;
    CloseHandle(g_guard);
    g_guard = nullptr;
}

bool BringRunningInstanceToFront(const std::vector<std::string>& windowClasses) {
    const std::wstring ownFileName = FileNameOf(OwnImagePath());
    for (const std::string& className : windowClasses) {
        const std::wstring wideClassName = WideFromUtf8(className);
        Search search{wideClassName.c_str(), ownFileName, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found) continue;
        if (IsIconic(search.found)) ShowWindow(search.found, SW_RESTORE);
        // A modal dialog of the running copy is where the user must go on.
        HWND active = GetLastActivePopup(search.found);
        SetForegroundWindow(active ? active : search.found);
        return true;
    }
    return false;
}
