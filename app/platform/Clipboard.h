// Clipboard: the system clipboard's text, over SDL's.
#pragma once

#include <string>

namespace clipboard {

// Puts UTF-8 text on the clipboard; false when the system refused it.
bool setText(const std::string& text);
// The clipboard's text as UTF-8; "" when it holds none.
std::string getText();

} // namespace clipboard
