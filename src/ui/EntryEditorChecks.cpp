#include "ui/EntryEditorChecks.h"

#include <cctype>

const char kForbiddenNameCharacters[] = "/:*\\?\"<>|";

namespace {

// Text numbers of the editor's messages.
constexpr int kTextIncomplete = 40;
constexpr int kTextForbiddenCharacter = 41;
constexpr int kTextNotAFileName = 300;

// The platform's limit for one path component.
constexpr size_t kMaxComponentLength = 255;
// ".lnk" is added to the name.
constexpr size_t kLinkExtensionLength = 4;

bool HoldsForbiddenCharacter(const std::string& name) {
    return name.find_first_of(kForbiddenNameCharacters) != std::string::npos;
}

std::string AsciiUpper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

bool IsDeviceName(const std::string& name) {
    // The platform looks at the part before the first full stop, blanks at its end ignored.
    std::string stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    stem = AsciiUpper(stem);
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
           std::isdigit(static_cast<unsigned char>(stem[3]));
}

}  // namespace

bool IsStorableLinkName(const std::string& name) {
    if (name.empty() || HoldsForbiddenCharacter(name)) return false;
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 32) return false;
    }
    if (name.back() == ' ' || name.back() == '.') return false;
    if (name.size() + kLinkExtensionLength > kMaxComponentLength) return false;
    return !IsDeviceName(name);
}

EditorCheck CheckEditorFields(const std::string& name, const std::string& command, const std::string& placeholderName,
                              int32_t kind) {
    if (HoldsForbiddenCharacter(name)) return EditorCheck::ForbiddenCharacter;
    if (command.size() < 4 || name == placeholderName || name.empty()) return EditorCheck::Incomplete;
    const bool folderKind = kind == 1 || kind == 2;
    if (folderKind && !IsStorableLinkName(name)) return EditorCheck::NotAFileName;
    return EditorCheck::Passed;
}

int MessageTextFor(EditorCheck check) {
    switch (check) {
        case EditorCheck::ForbiddenCharacter:
            return kTextForbiddenCharacter;
        case EditorCheck::Incomplete:
            return kTextIncomplete;
        case EditorCheck::NotAFileName:
            return kTextNotAFileName;
        case EditorCheck::Passed:
            break;
    }
    return 0;
}
