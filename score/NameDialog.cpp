// NameDialog: asks the player for a name at the end of a run.
#include "score/NameDialog.h"

#include "app/platform/TextCodec.h"
#include "score/platform/NameDialogWindow.h"

#include <cstring>
#include <utility>

char lastName[32] = {};
bool nameAccepted = false;

namespace {

NameDialogAnswerer answerer;

// Asks for the name: text holds the offered name and, on true, the field's content.
bool askName(std::string& text) {
    if (!answerer)
        return runNameDialogWindow(text) == NameDialogOutcome::Accepted;
    const NameDialogAnswer answer = answerer(text);
    if (answer.accepted)
        text = utf8ToCp1250(answer.field);
    return answer.accepted;
}

} // namespace

void setNameDialogAnswerer(NameDialogAnswerer newAnswerer) {
    answerer = std::move(newAnswerer);
}

NameDialog::NameDialog() {
    nameAccepted = false;
    std::string text = lastName;
    if (!askName(text))
        return;
    std::memset(lastName, 0, sizeof lastName);
    text.copy(lastName, sizeof lastName - 1);
    nameAccepted = true;
}
