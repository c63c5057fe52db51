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
// whether the location of the kind can store the name. Neither field is
// trimmed: a name of blanks is complete, and any command of four or more
// characters is accepted, whether or not it names an existing file.
EditorCheck CheckEditorFields(const std::string& name, const std::string& command, const std::string& placeholderName,
                              int32_t kind);

// The message text number of a failed check; 0 for Passed.
int MessageTextFor(EditorCheck check);

// Whether a link file of this name (".lnk" is added) can exist in a folder:
// not empty, no control characters or forbidden characters, no trailing blank
// or full stop (the platform would drop them, and the link would get another
// name), no device name (CON, PRN, AUX, NUL, COM0-9, LPT0-9, with or without
// an extension), and not longer than a path component may be.
bool IsStorableLinkName(const std::string& name);
