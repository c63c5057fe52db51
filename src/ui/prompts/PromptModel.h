// Text rules of the prompts that need no window: the lines of the information
// message's memo.
#pragma once
#include <string>
#include <vector>

// The memo lines of a text: every LF ends a line; every other character, a CR
// included, belongs to the line. A text without LF is one line, a text ending
// in LF ends with an empty line, the empty text is one empty line.
std::vector<std::string> FillInfoMemo(const std::string& text);

// What an edit control shows for those lines: lines joined by CR LF; a CR at the
// end of a line (text written with CR LF) is not shown, any other CR shows as a space.
std::string InfoMemoDisplayText(const std::vector<std::string>& lines);
