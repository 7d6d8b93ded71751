// NameDialog: asks the player for a name at the end of a run.
#pragma once

#include <functional>
#include <string>

// The last name accepted with OK (Windows-1250, zero-terminated, at most 31 bytes); empty at
// program start. It pre-fills the next dialog.
extern char lastName[32];
// Whether OK closed the last dialog; false while one runs and after Cancel.
extern bool nameAccepted;

// A scripted answer in place of the interactive dialog: whether OK closes it, and the edit
// field's content at that moment as UTF-8 (converted and cut as typed text would be).
struct NameDialogAnswer {
    bool accepted = false;
    std::string field;
};
// Receives the name the dialog offers (Windows-1250) and answers for the player.
using NameDialogAnswerer = std::function<NameDialogAnswer(const std::string& offered)>;

// Installs an answerer for every later dialog, for tests; an empty one brings back the window.
void setNameDialogAnswerer(NameDialogAnswerer answerer);

class NameDialog {
  public:
    // Runs the dialog to its end. On OK, lastName takes the field's first 31 bytes and
    // nameAccepted is set; on Cancel, or when no dialog can be shown, lastName is kept.
    NameDialog();
};
