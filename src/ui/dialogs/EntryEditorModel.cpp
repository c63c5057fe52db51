#include "ui/dialogs/EntryEditorModel.h"

#include "entries/LocationKinds.h"
#include "entries/LocationRules.h"

const char kForbiddenNameCharacters[] = "/:*\\?\"<>|";

namespace {

// Text numbers of the editor's messages.
constexpr int kTextIncomplete = 40;
constexpr int kTextForbiddenCharacter = 41;
// The main window's text for a name the location cannot store.
constexpr int kTextNotAFileName = 313;

bool HoldsForbiddenCharacter(const std::string& name) {
    return name.find_first_of(kForbiddenNameCharacters) != std::string::npos;
}

}  // namespace

EditorCheck CheckEditorFields(const std::string& name, const std::string& command, const std::string& placeholderName,
                              int32_t kind) {
    if (HoldsForbiddenCharacter(name)) return EditorCheck::ForbiddenCharacter;
    if (command.size() < 4 || name == placeholderName || name.empty()) return EditorCheck::Incomplete;
    if (NamesFilesKind(kind) && !IsStorableLinkName(name, 0)) return EditorCheck::NotAFileName;
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
