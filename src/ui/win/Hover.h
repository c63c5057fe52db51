// The control under the pointer, for owner-drawn buttons that light up while
// the pointer rests on them: the control is drawn again as the pointer comes
// and when it leaves (TrackMouseEvent tells of the leaving).
#pragma once
#include <windows.h>

namespace ui {

// Follows the pointer over the control from now until it is destroyed.
void TrackHover(HWND control);
// Whether the pointer is over this control (one control at a time).
bool IsHovered(HWND control);

}  // namespace ui
