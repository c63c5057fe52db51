// The dialogs' windows as one set, for start-up and the language switch.
#pragma once

namespace ui {

// Creates the dialogs' windows once, hidden (start-up, after the main window),
// and puts the captions of the loaded language onto them (start-up and every
// run-time language switch).
void CreateDialogWindows();
void ApplyDialogTexts();

}  // namespace ui
