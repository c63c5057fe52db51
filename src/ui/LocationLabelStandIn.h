// TEMPORARY stand-in for the main window's place label, until its model is
// merged here (ui/MainWindowModel.h); delete this file then.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace ui {
inline std::string LocationLabel(int32_t kind, const std::function<std::string(int)>& text) {
    static const char* const suffixes[] = {" (Run)", " (Run Once)", " (Run Once Ex)", " (Run Services)",
                                           " (Run Services Once)"};
    if (kind == 1 || kind == 2) return text(29) + ": " + text(kind == 1 ? 32 : 31);
    if (kind >= 11 && kind <= 15) return text(28) + ": " + text(31) + suffixes[kind - 11];
    if (kind >= 21 && kind <= 25) return text(28) + ": " + text(32) + suffixes[kind - 21];
    if (kind == 31) return "Win.ini: Load-" + text(30);
    if (kind == 32) return "Win.ini: Run-" + text(30);
    return std::string();
}
}  // namespace ui
