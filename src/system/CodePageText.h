// Text in the user's ANSI code page, for what stays stored in it (win.ini and
// the older file formats). The program's text is UTF-8; this says whether a text
// can be written in the code page without a character turning into another.
#pragma once
#include <string>

// Whether every character of the text has its own form in the user's ANSI code
// page, with no best-fit stand-in ("?" or a look-alike). The Windows tree asks
// the platform; the tree built without Windows knows Windows-1252 only.
bool FitsAnsiCodePage(const std::string& text);

// Bytes in the user's ANSI code page (what older versions stored) as UTF-8.
std::string Utf8FromAnsi(const std::string& bytes);
// The text in the user's ANSI code page; false (and bytes untouched) when a
// character has no form of its own there.
bool AnsiFromUtf8(const std::string& text, std::string& bytes);
