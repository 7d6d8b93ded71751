// TextWrap: a message box's text broken into lines as Windows breaks it.
#pragma once

#include <functional>
#include <string>
#include <vector>

// Width in pixels of a line of UTF-8 text as drawn.
using TextMeasure = std::function<int(const std::string&)>;

// Breaks UTF-8 text into lines no wider than maxWidth: at every line feed ("\r\n" counts as
// one), and otherwise after the last space that keeps the line within the width, the spaces at
// the break dropped. A word wider than a whole line is broken between characters. Empty lines
// of the text stay.
std::vector<std::string> wrapText(const std::string& text, int maxWidth,
                                  const TextMeasure& measure);
