#include "entries/DeactivationMarker.h"

#include "system/AnsiText.h"
#include "system/DataFolder.h"
#include "system/Files.h"

namespace {
const size_t kExecutableNameLength = 15;  // "Bootmarshal.exe"
}

std::string DeactivationMarker() {
    const std::string exe = ExecutablePath();
    const std::string folder = exe.size() > kExecutableNameLength ? exe.substr(0, exe.size() - kExecutableNameLength)
                                                                 : std::string();
    return folder + "inactive.exe ";
}

bool HasMarker(const std::string& text) {
    const std::string marker = DeactivationMarker();
    return text.size() >= marker.size() && AnsiUpper(text.substr(0, marker.size())) == AnsiUpper(marker);
}

bool ContainsMarker(const std::string& text) {
    return AnsiUpper(text).find(AnsiUpper(DeactivationMarker())) != std::string::npos;
}

std::string StripMarker(const std::string& text) {
    const size_t length = DeactivationMarker().size();
    return text.size() > length ? text.substr(length) : std::string();
}

std::string QuotedCommand(const std::string& command) { return QuotedCommandWith(command, FileExists); }

std::string PlainCommand(const std::string& command) { return PlainCommandWith(command, FileExists); }
