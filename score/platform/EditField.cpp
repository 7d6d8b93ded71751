// EditField: editing, caret and scrolling of the name dialog's edit field.
#include "score/platform/EditField.h"

#include <algorithm>
#include <utility>

EditField::EditField(const std::string& offered, int visibleWidth, Measure measure)
    : text(offered.substr(0, kMaxBytes)), caret(text.size()), visibleWidth(visibleWidth),
      measure(std::move(measure)) {
    fitScroll();
}

void EditField::clear() {
    text.clear();
    caret = 0;
    allSelected = false;
}

void EditField::type(const std::string& cp1250) {
    if (isAllSelected()) {
        clear();
    }
    allSelected = false;
    const std::string kept = cp1250.substr(0, kMaxBytes - text.size());
    text.insert(caret, kept);
    caret += kept.size();
    fitScroll();
}

void EditField::press(Key key) {
    const bool selected = isAllSelected();
    allSelected = false;
    switch (key) {
    case Key::SelectAll:
        allSelected = true;
        break;
    case Key::Backspace:
    case Key::Delete:
        if (selected) {
            clear();
        } else if (key == Key::Backspace && caret > 0) {
            text.erase(--caret, 1);
        } else if (key == Key::Delete && caret < text.size()) {
            text.erase(caret, 1);
        }
        break;
    case Key::Left:
        caret = selected ? 0 : caret - (caret > 0);
        break;
    case Key::Right:
        caret = selected ? text.size() : caret + (caret < text.size());
        break;
    case Key::Home:
        caret = 0;
        break;
    case Key::End:
        caret = text.size();
        break;
    }
    fitScroll();
}

void EditField::clickAt(int x) {
    allSelected = false;
    const int target = x + scroll;
    caret = 0;
    // Past the middle of a character the caret goes after it.
    while (caret < text.size()) {
        const int left = measure(text.substr(0, caret));
        const int right = measure(text.substr(0, caret + 1));
        if (target < (left + right + 1) / 2) {
            break;
        }
        ++caret;
    }
    fitScroll();
}

void EditField::fitScroll() {
    const int whole = measure(text);
    if (whole <= visibleWidth) {
        scroll = 0;
        return;
    }
    const int at = caretX();
    if (at - scroll > visibleWidth) {
        scroll = at - visibleWidth;
    }
    if (at < scroll) {
        scroll = at;
    }
    scroll = std::clamp(scroll, 0, whole - visibleWidth);
}
