// Text in the user's ANSI code page, as the wide functions take it. Text inside
// the program is 8-bit ANSI; a wide function is handed the same characters.
#pragma once
#include <string>

std::wstring AnsiToWide(const std::string& text);
