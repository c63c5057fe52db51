// What the entry dialogs share: telling the user about a change that did not
// happen, and lending a nested dialog its owner for one run.
#pragma once
#include <windows.h>

#include <string>

#include "entries/EntryChange.h"

namespace ui {

// The language file's number of the text that explains a refused change.
int ChangeReasonTextNumber(ChangeReason reason);

// The message for a change that was refused or failed: "not changed" and the
// reason; when the entry could not even be put back, the warning with its name
// and command, so the user can enter it again.
std::string ChangeFailureText(const ChangeResult& result, const StartupEntry& entry);
// Shows it; see ShowRefusedChange for the target's kind.
void ShowChangeFailure(const ChangeResult& result, const StartupEntry& entry, int32_t targetKind = 0);

// Shows the message of a change that did not happen. When it was refused for
// lack of rights at a machine-wide place (the entry's or the target's) and this
// program runs without administrator rights, the message asks instead whether
// to start the program again with them, and does so on yes.
void ShowRefusedChange(const std::string& message, const ChangeResult& result, int32_t kind, int32_t targetKind = 0);

// "name (place)" for lists of entries shown to the user.
std::string EntryWithPlace(const StartupEntry& entry);

// Creates the dialogs' windows once, hidden (start-up, after the main window),
// and puts the captions of the loaded language onto them (start-up and every
// run-time language switch).
void CreateDialogWindows();
void ApplyDialogTexts();

// Makes a window the owner of the dialogs shown while it lives (a dialog opened
// from another dialog belongs to that one), and puts the previous owner back.
class ScopedDialogOwner {
public:
    explicit ScopedDialogOwner(HWND owner);
    ~ScopedDialogOwner();
    ScopedDialogOwner(const ScopedDialogOwner&) = delete;
    ScopedDialogOwner& operator=(const ScopedDialogOwner&) = delete;

private:
    HWND previous_;
    bool changed_;
};

}  // namespace ui
