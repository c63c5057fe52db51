// Failures told in the user's language: the core's errors carry what went
// wrong and with which file, and only here become words, from the catalogue,
// with the platform's own reason added where it gave one.
#pragma once
#include <exception>
#include <string>

namespace ui {

// The message for an error that reached a window: a refused file operation or
// a file the XML reader does not accept in the catalogue's words (plus the
// platform's reason), anything else by its own message.
std::string UserMessage(const std::exception& error);
// The platform's wording of an error code, in the system's display language,
// without its line end; empty for 0 or an unknown code.
std::string SystemReason(unsigned long code);

// The shell's "Open" of a file, folder or address; when the shell could not
// open it, the user is told which target and why.
void OpenWithShellTellingFailure(const std::string& target);
// The same for a file only when it exists: a missing file is passed over.
void OpenExistingWithShellTellingFailure(const std::string& path);

}  // namespace ui
