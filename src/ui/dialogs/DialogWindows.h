// What the dialogs tell the main window. Each dialog makes its window when it is
// first shown.
#pragma once
#include <functional>

namespace ui {

// Called by a dialog right after it changed entries (a release, a restore) and
// before it says so, so that the list behind the dialog already shows the change
// under the message (the main window refreshes, keeping its selection).
void SetEntriesChangedHandler(std::function<void()> handler);
void NotifyEntriesChanged();

}  // namespace ui
