// The program's start: the objects both run modes share, the choice of mode by
// the first argument, and the fixed order of the interactive start.
#pragma once
#include <string>
#include <vector>

#include "system/ProductNames.h"

extern const char kProgramVersion[];  // the only choice-file content that counts

// Data files carried over from the program folder into the data folder, in order.
const std::vector<std::string>& MigrationList();

enum class RunMode { BlockCheck, Interactive };
// Block check only for a first argument of exactly "/blocklist".
RunMode ChooseRunMode(const std::vector<std::string>& arguments);

// Resets the language choice unless the choice file's first line is exactly the
// version text: deletes the choice file and makes language file 0 the active
// text file. An unreadable choice file counts as a missing one.
void CheckChoiceFile();

// Runs the program; arguments without the program's own name. Returns the exit
// code. The console twin (Bootmarshal.com) takes any argument but the windows'
// own as the command line's.
int RunBootmarshal(const std::vector<std::string>& arguments, bool consoleTwin = false);
