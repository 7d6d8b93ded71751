// TextField: a line of text the player types (the set's title or author): UTF-8, at most 40
// characters, only those the game's fonts can show (Windows-1250), no control characters.
#pragma once

#include <string>

class TextField {
  public:
    // Starts editing text; the field keeps the original for cancel.
    void begin(std::string text);
    // Appends what a text-input event gave (UTF-8), dropping each character that the code page
    // lacks or that would pass the limit. True when anything was added.
    bool type(const char* utf8);
    // Removes the last character; false when there is none.
    bool eraseLast();
    // The text typed so far, and the text as the set should keep it (blanks trimmed at both ends).
    const std::string& text() const { return typed; }
    std::string finished() const;
    const std::string& original() const { return before; }

  private:
    std::string typed;
    std::string before;
};
