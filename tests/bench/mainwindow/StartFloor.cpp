// The floor of a start: a window of the main window's size is created, the
// entries are collected once, and the window is shown and painted; then it
// waits to be closed. Nothing else of the program runs.
#include <windows.h>

#include "entries/EntryCatalogue.h"
#include "entries/ShellLink.h"

namespace {

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CreateSharedShellLink();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = FloorProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "BenchFloor";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "BenchFloor", "Floor", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 842, 700, nullptr, nullptr, instance, nullptr);
    const EntryList entries = CollectAllEntries();
    SetWindowLongPtrA(window, GWLP_USERDATA, static_cast<LONG_PTR>(entries.size()));
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    DestroySharedShellLink();
    return 0;
}
