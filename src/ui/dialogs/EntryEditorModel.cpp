#include "ui/dialogs/EntryEditorModel.h"

#include "entries/LocationKinds.h"
#include "entries/LocationRules.h"
#include "ui/win/TextNumbers.h"

const char kForbiddenNameCharacters[] = "/:*\\?\"<>|";

namespace {

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
            return Text::ForbiddenCharacter;
        case EditorCheck::Incomplete:
            return Text::EntryIncomplete;
        case EditorCheck::NotAFileName:
            return Text::ReasonNameNotStorable;
        case EditorCheck::Passed:
            break;
    }
    return 0;
}
