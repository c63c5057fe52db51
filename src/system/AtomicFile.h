// Replacing a file whole: the new bytes go to a temporary file beside the target,
// which then takes the target's place in one step. After a crash or a full disk
// either the old or the new file is there, never a cut one.
#pragma once
#include <string>

// True when the file now holds exactly the bytes. On failure the old file is
// left as it was and the temporary file is removed.
bool ReplaceFileAtomically(const std::string& path, const std::string& bytes);
