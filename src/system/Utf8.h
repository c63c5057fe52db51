// The program's text is UTF-8; Windows' is UTF-16. This is the one place where
// the two meet. Registry names and file names on Windows are any sequence of
// 16-bit units, unpaired surrogates included, so the 8-bit form is WTF-8: UTF-8
// that also carries a lone surrogate as its three-byte form. Every sequence of
// 16-bit units converts to 8 bits and back unchanged.
//
// Bytes that are not WTF-8 (text from before the program was Unicode, a damaged
// file) are never dropped: each invalid byte becomes U+FFFD, so a caller that
// must keep such bytes checks IsWtf8 first.
#pragma once
#include <string>
#include <string_view>

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);
// The 16-bit units as a vector of char16_t for the trees without wchar_t of 16 bits.
std::u16string Utf16FromUtf8(std::string_view text);
std::string Utf8FromUtf16(std::u16string_view text);

// Whether the bytes are well-formed WTF-8 (UTF-8 or a lone surrogate's form;
// not overlong, not above U+10FFFF, not a paired surrogate written as two
// three-byte forms, which UTF-16 could not tell from the pair's own form).
bool IsWtf8(std::string_view text);
// Whether the text holds a lone surrogate, which only Windows' own names hold.
bool HoldsLoneSurrogate(std::string_view text);

// One character at a time: the code point at text[at] and how many bytes it
// takes; an invalid byte reads as U+FFFD of length 1.
struct CodePoint {
    char32_t value;
    size_t length;
};
CodePoint ReadCodePoint(std::string_view text, size_t at);
void AppendCodePoint(std::string& to, char32_t value);
