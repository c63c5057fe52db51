// Splitting a command line into its program path and its arguments. The file
// test is passed in, so the rules themselves run (and are tested) without
// Windows.
#pragma once
#include <functional>
#include <string>

using FileExistsFn = std::function<bool(const std::string& path)>;

// The program path at the start of the command, trimmed (quotation marks kept):
// the longest prefix that names an existing file, else a rule of thumb (up to
// the last full stop, then on to the next space).
std::string ProgramPartWith(const std::string& command, const FileExistsFn& fileExists);
// What follows the program path, trimmed.
std::string ArgumentsPartWith(const std::string& command, const FileExistsFn& fileExists);

// The program of a command line found as CreateProcess finds it when it is given
// no application name: a quoted path is the program; unquoted, the text up to
// each blank in turn, left to right, then the whole text, is a candidate, with
// ".exe" appended when its last path component has no extension; the first
// candidate that names an existing file is the program. Leading blanks are
// skipped. fileExists is asked about each candidate as it stands (a bare name
// without a folder included: the caller decides where such a name is looked for).
struct ProgramSplit {
    bool found = false;     // a candidate names an existing file
    bool quoted = false;    // the program was written in quotation marks
    std::string program;    // the file found (".exe" appended where it was), or the
                            // quoted path when nothing was found; empty otherwise
    std::string arguments;  // everything after the program and the one blank that
                            // ends it, exactly as written
};
ProgramSplit SplitLikeCreateProcess(const std::string& commandLine, const FileExistsFn& fileExists);

// The last path component of the path has an extension (a full stop in it).
bool HasFileExtension(const std::string& path);
