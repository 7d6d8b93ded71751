// Clipboard in the browser: the browser's own clipboard, which the page reaches through
// navigator.clipboard when the player lets it; the text copied last in the page stands in when
// it does not (the game's code waits for the browser through ASYNCIFY).
#include "app/platform/Clipboard.h"

#include <emscripten.h>

#include <cstdlib>

namespace {

// The text copied last, for a paste that the browser does not allow.
std::string copied;

EM_JS(void, writeBrowserClipboard, (const char* text), {
    if (navigator.clipboard && navigator.clipboard.writeText) {
        navigator.clipboard.writeText(UTF8ToString(text)).catch(function(){});
    }
});

// The browser's clipboard text as UTF-8 in memory the caller frees, or null when it has none to
// give the page.
EM_ASYNC_JS(char*, readBrowserClipboard, (), {
    try {
        if (navigator.clipboard && navigator.clipboard.readText) {
            return allocateUTF8(await navigator.clipboard.readText());
        }
    } catch (error) {
    }
    return 0;
});

} // namespace

namespace clipboard {

bool setText(const std::string& text) {
    copied = text;
    writeBrowserClipboard(text.c_str());
    return true;
}

std::string getText() {
    char* text = readBrowserClipboard();
    if (text == nullptr) {
        return copied;
    }
    std::string pasted = text;
    std::free(text);
    return pasted;
}

} // namespace clipboard
