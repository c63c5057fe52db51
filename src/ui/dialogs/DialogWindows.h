// The dialogs' windows as one set.
#pragma once

namespace ui {

// Creates the dialogs' windows once, hidden (start-up, after the main window).
void CreateDialogWindows();

}  // namespace ui
