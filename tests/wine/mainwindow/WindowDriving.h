// Working the main window in-process as the user's input arrives: a list line
// selected with its notification, a button clicked through WM_COMMAND.
#pragma once
#include <windows.h>

#include "ui/ControlIds.h"
#include "ui/MainWindow.h"

namespace mainwindowtest {

inline void SelectListLine(ui::MainWindow& window, int line) {
    HWND list = window.Control(kIdEntryList);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    SendMessageA(window.hwnd(), WM_COMMAND, MAKEWPARAM(kIdEntryList, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

inline void ClickControl(ui::MainWindow& window, int id) {
    SendMessageA(window.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(window.Control(id)));
}

}  // namespace mainwindowtest
