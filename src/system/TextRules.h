// Byte-string rules shared by all modules. Strings are 8-bit ANSI: bytes 128 to
// 255 are ordinary characters and never count as blanks or controls.
#pragma once
#include <string>

// Removes leading and trailing characters whose code is 32 or less.
std::string Trim(const std::string& text);
std::string TrimLeft(const std::string& text);
std::string TrimRight(const std::string& text);

inline bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

// The folder path ending in exactly one added backslash unless it has one.
std::string WithTrailingBackslash(std::string path);

// The pattern with its first "%s" replaced by the value (a catalogue text that
// names a file or a language); a pattern without one comes back unchanged.
std::string FillPlaceholder(const std::string& pattern, const std::string& value);
