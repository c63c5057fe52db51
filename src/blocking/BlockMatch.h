// The form in which a command meets the block list. The program writes the
// same command quoted or not (a link's target, a switched-off value, a hand-
// typed line), and the platform starts both alike: the quotation marks around
// the program part, blanks at either end and the run of blanks after a quoted
// program do not make another command. Letter case is left to the caller's
// lookup key, so that one rule of case serves every comparison.
#pragma once
#include <string>

std::string BlockMatchForm(const std::string& command);
