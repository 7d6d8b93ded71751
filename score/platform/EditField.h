// EditField: the name dialog's single-line edit field as plain data: its Windows-1250 text of at
// most 31 bytes, the caret, the selection of the whole text and how far it is scrolled sideways.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

class EditField {
  public:
    // The most bytes the field holds: a name of 31 bytes and its terminator fill lastName.
    static constexpr std::size_t kMaxBytes = 31;
    // Width in pixels of Windows-1250 bytes as the field draws them.
    using Measure = std::function<int(const std::string&)>;

    enum class Key { Backspace, Delete, Left, Right, Home, End, SelectAll };

    // The field holding the offered text (cut to kMaxBytes), all of it selected so that typing
    // replaces it, in a text area visibleWidth pixels wide.
    EditField(const std::string& offered, int visibleWidth, Measure measure);

    // Types Windows-1250 bytes at the caret, replacing the selection; bytes that would take the
    // text past kMaxBytes are dropped.
    void type(const std::string& cp1250);
    // An editing key; keys other than these leave the field alone.
    void press(Key key);
    // A click x pixels from the text area's left edge: the caret goes to the nearest character
    // boundary and the selection is dropped.
    void clickAt(int x);

    const std::string& getText() const { return text; }
    std::size_t getCaret() const { return caret; }
    bool isAllSelected() const { return allSelected && !text.empty(); }
    // Pixels of the text hidden left of the text area.
    int getScroll() const { return scroll; }
    // The caret's distance in pixels from the text's start.
    int caretX() const { return measure(text.substr(0, caret)); }

  private:
    // Scrolls so that the caret is in view and as much text as fits shows: from its start when
    // the whole text fits, and never with empty room after its end while text is hidden before.
    void fitScroll();
    void clear();

    std::string text;
    std::size_t caret;
    bool allSelected = true;
    int scroll = 0;
    int visibleWidth;
    Measure measure;
};
