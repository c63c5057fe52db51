#include "entries/LocationRules.h"

#include "entries/WinIniList.h"
#include "system/CodePageText.h"
#include "system/TextCase.h"

namespace {

bool IsDeviceName(const std::string& name) {
    // The platform ignores an extension and trailing blanks after a device name.
    std::string stem = AsciiUpper(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) && stem[3] >= '1' &&
           stem[3] <= '9';
}

}  // namespace

bool IsStorableLinkName(const std::string& name, size_t folderLength) {
    if (name == "." || name == "..") return false;
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 32) return false;
        if (std::string("\\/:*?\"<>|").find(c) != std::string::npos) return false;
    }
    if (IsDeviceName(name)) return false;
    return folderLength + name.size() + 4 <= kMaxLinkPathLength;
}

bool IsStorableWinIniItem(const std::string& item) {
    return !item.empty() && item.find_first_of(";\r\n") == std::string::npos && item != kClearWinIniList &&
           FitsAnsiCodePage(item);
}
