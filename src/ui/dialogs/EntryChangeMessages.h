// Telling the user about a change to an entry that did not happen.
#pragma once
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

// The registry refused to set or remove the logon check's autostart value, so
// the check no longer follows the block list: where the value stands.
std::string LogonCheckNotSetText();

// "name (place)" for lists of entries shown to the user.
std::string EntryWithPlace(const StartupEntry& entry);

}  // namespace ui
