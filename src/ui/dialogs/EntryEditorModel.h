// The entry editor's save checks, apart from its window. They run in a fixed
// order and the first that fails names the message the user sees; the editor
// then stays open and nothing is stored.
#pragma once
#include <cstdint>
#include <string>

enum class EditorCheck {
    Passed,
    ForbiddenCharacter,  // the name holds one of / : * \ ? " < > |
    Incomplete,          // no name, the placeholder name, or a command of fewer than 4 characters
    NotAFileName,        // a Startup folder cannot hold a link of that name
};

// The nine characters a name may not hold in any location.
extern const char kForbiddenNameCharacters[];

// The checks in their order: forbidden characters, then completeness, then
// whether the location of the kind can store the name (a Startup folder's rule
// for link names; the folder's own length is checked when the link is written). Neither field is
// trimmed: a name of blanks is complete, and any command of four or more
// characters is accepted, whether or not it names an existing file.
EditorCheck CheckEditorFields(const std::string& name, const std::string& command, const std::string& placeholderName,
                              int32_t kind);

// The message text number of a failed check; 0 for Passed.
int MessageTextFor(EditorCheck check);
