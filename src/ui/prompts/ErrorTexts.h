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

}  // namespace ui
