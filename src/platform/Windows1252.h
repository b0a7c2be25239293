#pragma once

#include <optional>
#include <string>
#include <string_view>

/*
===============================================================================
Windows-1252: the program's one character set (texts, fonts, files). Typed
text arrives as UTF-8 from the window system and is converted here.

A code point the code page lacks, and a malformed UTF-8 sequence, convert to
nothing: the character is refused rather than replaced by a look-alike.
===============================================================================
*/
std::optional<unsigned char> toWindows1252(char32_t codePoint);

// The Windows-1252 bytes of the characters of utf8 that the code page holds, in order.
std::string utf8ToWindows1252(std::string_view utf8);

// True for a byte a text field takes as typed text: printable and drawn by the fonts
// (their glyphs stop at 254).
constexpr bool isTypeable(int character) {
    return character >= 32 && character <= 254 && character != 127;
}
