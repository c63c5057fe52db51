// Upper-casing and case-blind comparison of ANSI text under the user's locale.
#pragma once
#include <windows.h>
// winuser.h maps the old name AnsiUpper to CharUpperA; the name is ours here.
#ifdef AnsiUpper
#undef AnsiUpper
#endif

#include <string>

std::string AnsiUpper(const std::string& text);
bool AnsiSameText(const std::string& a, const std::string& b);

// ANSI text (the user's code page) as UTF-16, for the wide functions.
std::wstring AnsiToWide(const std::string& text);
