// NameDialogWindow in the browser: a small form in the page (page.js) whose text field takes any
// letter the browser's keyboards and input methods give; the game's code waits for it through
// ASYNCIFY. The name goes back to Windows-1250 for the table.
#include "score/platform/NameDialogWindow.h"

#include "app/Language.h"
#include "app/platform/TextCodec.h"

#include <emscripten.h>

#include <cstdlib>

namespace {

// Shows the form with the offered name (UTF-8) and waits: the name typed as UTF-8 in memory the
// caller frees, or null after Cancel or Escape. labels are the field's label and the two
// buttons' captions (UTF-8), one a line.
EM_ASYNC_JS(char*, askNameInPage, (const char* offered, const char* labels), {
    var name = await zembrixPage.askName(UTF8ToString(offered), UTF8ToString(labels).split('\n'));
    return name == null ? 0 : allocateUTF8(name);
});

} // namespace

NameDialogOutcome runNameDialogWindow(std::string& text) {
    const std::string labels = cp1250ToUtf8(std::string(tr(TextId::NameLabel)) + "\n" +
                                            tr(TextId::NameOk) + "\n" + tr(TextId::NameCancel));
    char* typed = askNameInPage(cp1250ToUtf8(text).c_str(), labels.c_str());
    if (typed == nullptr) {
        return NameDialogOutcome::Cancelled;
    }
    // A letter that Windows-1250 lacks is kept as '?'; the name is cut to 31 bytes later.
    text = utf8ToCp1250(typed);
    std::free(typed);
    return NameDialogOutcome::Accepted;
}
