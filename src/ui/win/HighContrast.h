// Windows' high-contrast mode: while it is on, the program draws with the
// system's colours instead of its own, as the user chose them for legibility.
#pragma once
#include <windows.h>

namespace ui {

bool HighContrastOn();
// Wine cannot switch high contrast on: tests force the answer (1 on, 0 off,
// -1 the system's again).
void ForceHighContrastForTests(int on);
// The designed colour, or the system colour of that index in high contrast.
inline COLORREF Designed(COLORREF designed, int systemColour) {
    return HighContrastOn() ? GetSysColor(systemColour) : designed;
}

}  // namespace ui
