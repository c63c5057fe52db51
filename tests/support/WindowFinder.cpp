#include "support/WindowFinder.h"

#include <cstdio>

namespace testsupport {

namespace {

struct WindowSearch {
    const char* className;
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    if ((search->className && lstrcmpA(name, search->className) != 0) || !IsWindowVisible(window)) return TRUE;
    if (search->processId) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != search->processId) return TRUE;
    }
    search->found = window;
    return FALSE;
}

BOOL CALLBACK ListVisibleWindow(HWND window, LPARAM) {
    if (!IsWindowVisible(window)) return TRUE;
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    std::fprintf(stderr, " %s (process %lu)", name, owner);
    return TRUE;
}

}  // namespace

HWND FindVisibleWindow(const char* className, DWORD processId) {
    WindowSearch search{className, processId, nullptr};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const char* className, DWORD timeoutMs, DWORD processId) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND found = FindVisibleWindow(className, processId)) return found;
        if (GetTickCount() - start > timeoutMs) {
            // What was on the screen instead tells a slow start from a wrong window.
            std::fprintf(stderr, "no visible window of class \"%s\" (process %lu) after %lu ms; visible now:",
                         className ? className : "(any)", processId, timeoutMs);
            EnumWindows(&ListVisibleWindow, 0);
            std::fprintf(stderr, "\n");
            return nullptr;
        }
        Sleep(20);
    }
}

bool WaitUntilGone(HWND window, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

}  // namespace testsupport
