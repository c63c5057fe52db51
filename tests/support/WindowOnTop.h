// Pictures of windows are copied from the screen, which test programs running
// side by side share: the pictured window is kept above all others while its
// picture is taken.
#pragma once
#include <windows.h>

namespace testsupport {

class WindowOnTop {
public:
    explicit WindowOnTop(HWND window) : window_(window) {
        if (window_) SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    ~WindowOnTop() {
        if (window_) SetWindowPos(window_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    WindowOnTop(const WindowOnTop&) = delete;
    WindowOnTop& operator=(const WindowOnTop&) = delete;

private:
    HWND window_;
};

}  // namespace testsupport
