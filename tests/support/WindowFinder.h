// Finding a program's windows from a test: by registered class, visible, of one
// process when given; and waiting for what the program does.
#pragma once
#include <windows.h>

namespace testsupport {

// A visible top-level window of the class (any class when nullptr; of that
// process, when given), now; nullptr when there is none.
HWND FindVisibleWindow(const char* className, DWORD processId = 0);
// The same, waited for up to timeoutMs; nullptr when none showed.
HWND WaitForWindow(const char* className, DWORD timeoutMs = 10000, DWORD processId = 0);
// Waits until the window is hidden or destroyed; false on timeout.
bool WaitUntilGone(HWND window, DWORD timeoutMs = 10000);

// Waits until the condition holds, looking every 50 ms: the program under test
// works in its own process and time.
template <typename Condition>
bool Eventually(Condition condition, DWORD timeoutMs = 10000) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        if (condition()) return true;
        Sleep(50);
    }
    return condition();
}

}  // namespace testsupport
