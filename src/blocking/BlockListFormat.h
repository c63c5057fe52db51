// The block list file's bytes: one command per line, CR LF after every line.
// Reading is lenient (CR, LF or CR LF end a line, a NUL ends the lines the ANSI
// code page holds; what follows it is the whole list in UTF-8) and keeps
// every line as it stands, so a hand-edited file reads as the user typed it,
// except blank lines: an empty command would match every value without text,
// so a blank line is dropped when read and never written.
#pragma once
#include <string>
#include <vector>

std::vector<std::string> ParseBlockListBytes(const std::string& bytes);
std::string BlockListBytes(const std::vector<std::string>& lines);

// A line can hold any byte but NUL, CR and LF; anything else would come back
// from the file as different lines than were written.
bool FitsOnOneLine(const std::string& text);
// Nothing but bytes 0 to 32: no command at all.
bool IsBlankLine(const std::string& line);
