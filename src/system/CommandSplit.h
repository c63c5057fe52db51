// Splitting a command line into its program path and its arguments. The file
// system decides where it can; a rule of thumb decides where no prefix of the
// command names an existing file. The file test is passed in, so the rule itself
// runs (and is tested) without Windows.
#pragma once
#include <functional>
#include <string>

using FileExistsFn = std::function<bool(const std::string& path)>;

// The program path at the start of the command, trimmed (quotation marks kept).
std::string ProgramPartWith(const std::string& command, const FileExistsFn& fileExists);
// What follows the program path, trimmed.
std::string ArgumentsPartWith(const std::string& command, const FileExistsFn& fileExists);
