// Conversion between the game's Windows-1250 text bytes and UTF-8 for SDL and the terminal.
#pragma once

#include <string>

// Windows-1250 bytes as UTF-8; a byte the code page leaves undefined becomes '?'.
std::string cp1250ToUtf8(const std::string& text);
// UTF-8 as Windows-1250 bytes; a character the code page lacks, or a broken sequence, becomes '?'.
std::string utf8ToCp1250(const std::string& text);
