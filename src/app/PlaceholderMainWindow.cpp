#include "app/PlaceholderMainWindow.h"

#include <windows.h>

namespace {

LRESULT CALLBACK PlaceholderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int RunPlaceholderMainWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PlaceholderProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "TForm1";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "TForm1", "Bootmarshal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 800,
                                  560, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window) return 1;
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
