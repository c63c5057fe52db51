// Where the main window was when it was last closed: its normal size and
// position and whether it was maximized, kept under the program's own key in
// the user's registry so that the next start opens it there again.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace ui {

// HKEY_CURRENT_USER\<kProgramKey>, value <kWindowPlacementValue>: "left top right
// bottom maximized", the normal rectangle in the window's workspace pixels.
extern const char kProgramKey[];
extern const char kWindowPlacementValue[];

struct StoredPlacement {
    RECT normal;
    bool maximized;
};

// The text stored for a placement, and the placement read back from one;
// nothing for a text that is not one (an empty or inverted rectangle too).
std::string PlacementText(const StoredPlacement& placement);
std::optional<StoredPlacement> ParsePlacement(const std::string& text);

// Puts the window where the stored value says and shows it, maximized again
// when it was, at least as large as minimumSize (window pixels) and within the
// work area of the monitor it lies on, as far as its size allows. False, with
// the window left hidden where it is, when nothing is stored or the stored
// place lies on none of the monitors there are now.
bool RestoreWindowPlacement(HWND window, SIZE minimumSize);
// Stores where the window is now (its normal place while maximized or minimized).
void SaveWindowPlacement(HWND window);

}  // namespace ui
