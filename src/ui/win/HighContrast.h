// Windows' high-contrast mode: while it is on, the program draws with the
// system's colours instead of its own, as the user chose them for legibility.
#pragma once
#include <windows.h>

namespace ui {

bool HighContrastOn();
// The designed colour, or the system colour of that index in high contrast.
inline COLORREF Designed(COLORREF designed, int systemColour) {
    return HighContrastOn() ? GetSysColor(systemColour) : designed;
}

}  // namespace ui
