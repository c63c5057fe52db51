// What the entry dialogs share: telling the user about a change that did not
// happen, and lending a nested dialog its owner for one run.
#pragma once
#include <windows.h>

#include <string>

#include "entries/EntryChange.h"

namespace ui {

// The language file's number of the text that explains a refused change.
int ChangeReasonTextNumber(ChangeReason reason);

// What was not done and why: the headline, the reason and the location concerned.
std::string NotChangedText(int headline, const ChangeResult& result);
// The warning for an entry that could not even be put back, with its name and
// command, so the user can enter it again.
std::string EntryLostText(const StartupEntry& entry);

// The dialogs' message for a change that was refused or failed: "not changed"
// and the reason, or when the entry is lost, the warning alone.
std::string ChangeFailureText(const ChangeResult& result, const StartupEntry& entry);
// The main window's message for a command that did not change the entry: its
// headline and the reason, and when the entry is lost, the warning with the
// entry's location too.
std::string CommandFailureText(int headline, const ChangeResult& result, const StartupEntry& entry);
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
