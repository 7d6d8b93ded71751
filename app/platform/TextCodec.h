// Conversion between the game's Windows-1250 text bytes and UTF-8 for SDL and the terminal, and
// the wide text (UTF-16 on Windows, code points on Linux) of the wide Windows functions.
#pragma once

#include <string>

// Windows-1250 bytes as UTF-8; a byte the code page leaves undefined becomes '?'.
std::string cp1250ToUtf8(const std::string& text);
// UTF-8 as Windows-1250 bytes; a character the code page lacks, or a broken sequence, becomes '?'.
std::string utf8ToCp1250(const std::string& text);

// Zero-ended Windows-1250 bytes as wide text in wide, whose storage is reused, so that texts
// drawn every frame cost no allocation; a byte the code page leaves undefined becomes '?' on
// Linux (Windows maps it as it does).
void cp1250ToWide(const char* text, std::wstring& wide);
// The same, as a new string.
std::wstring cp1250ToWide(const char* text);
// Zero-ended wide text as Windows-1250 bytes; a character the code page lacks becomes '?',
// never a look-alike.
std::string wideToCp1250(const wchar_t* text);
// Zero-ended wide text as UTF-8 (Linux: what the stand-ins of the wide functions hand to SDL).
std::string wideToUtf8(const wchar_t* text);
