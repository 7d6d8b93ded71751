// NameDialogWindow: the name entry dialog's layout, keys, mouse and drawing.
#include "score/platform/NameDialogWindow.h"

#include "app/Language.h"
#include "app/platform/TextCodec.h"
#include "app/platform/ui/DialogButtons.h"
#include "app/platform/ui/DialogWindow.h"
#include "score/platform/EditField.h"

#include <cstdio>
#include <optional>

namespace {

// The dialog's layout in dialog units (a 149 x 49 dialog), turned into pixels with the base
// units of an 8-point dialog font: 6 x 13 pixels per 4 x 8 units.
constexpr SDL_Rect dlu(int x, int y, int w, int h) {
    return {x * 6 / 4, y * 13 / 8, w * 6 / 4, h * 13 / 8};
}
constexpr SDL_Rect kClient = dlu(0, 0, 149, 49);
constexpr SDL_Rect kOkButton = dlu(37, 28, 50, 14);
constexpr SDL_Rect kCancelButton = dlu(93, 28, 50, 14);
constexpr SDL_Rect kEdit = dlu(38, 7, 106, 14);
constexpr SDL_Rect kLabel = dlu(16, 10, 17, 8);
// Pixels between the field's border and its text.
constexpr int kTextInset = 3;
constexpr int kTextWidth = kEdit.w - 2 - 2 * kTextInset;

// The controls that take the focus, in tab order: the buttons, then the edit field.
constexpr int kOk = 0;
constexpr int kCancel = 1;
constexpr int kEditFocus = -1;

bool inside(const SDL_Rect& rect, int x, int y) {
    const SDL_Point point{x, y};
    return SDL_PointInRect(&point, &rect);
}

class NameDialogWindow : public DialogWindow {
  public:
    NameDialogOutcome outcome = NameDialogOutcome::Cancelled;
    std::optional<EditField> field;

    // Opens the window with the field holding the offered text; false if it cannot be made.
    bool create(const std::string& offered);

  protected:
    void draw(DialogPainter& painter) override;
    void handle(const SDL_Event& e) override;
    // A is OK, with the name as it stands (the offered one unless typed over); B is Cancel.
    void pad(PadButton button) override;
    void quitRequested() override { close(NameDialogOutcome::Cancelled); }

  private:
    void close(NameDialogOutcome how);
    void handleKey(const SDL_Keysym& key);
    void handleMouse(const SDL_MouseButtonEvent& button);
    void drawEdit(DialogPainter& painter);

    DialogButtons buttons;
};

bool NameDialogWindow::create(const std::string& offered) {
    if (!open("Zembrix", kClient.w, kClient.h, nullptr)) {
        return false;
    }
    DialogPainter& painter = getPainter();
    field.emplace(offered, kTextWidth, [&painter](const std::string& cp1250) {
        return painter.textWidth(cp1250ToUtf8(cp1250));
    });
    buttons.add(kOkButton, cp1250ToUtf8(tr(TextId::NameOk)));
    buttons.add(kCancelButton, cp1250ToUtf8(tr(TextId::NameCancel)));
    buttons.setFocus(kEditFocus);
    return true;
}

void NameDialogWindow::close(NameDialogOutcome how) {
    outcome = how;
    finish();
}

void NameDialogWindow::handle(const SDL_Event& e) {
    switch (e.type) {
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
            close(NameDialogOutcome::Cancelled);
        }
        break;
    case SDL_KEYDOWN:
        handleKey(e.key.keysym);
        break;
    case SDL_TEXTINPUT:
        if (buttons.getFocus() == kEditFocus) {
            field->type(utf8ToCp1250(e.text.text));
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (e.button.button == SDL_BUTTON_LEFT) {
            handleMouse(e.button);
        }
        break;
    default:
        break;
    }
}

void NameDialogWindow::pad(PadButton button) {
    if (button == PadButton::A) {
        close(NameDialogOutcome::Accepted);
    } else if (button == PadButton::B) {
        close(NameDialogOutcome::Cancelled);
    }
}

void NameDialogWindow::handleKey(const SDL_Keysym& key) {
    const int focus = buttons.getFocus();
    switch (key.sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        close(focus == kCancel ? NameDialogOutcome::Cancelled : NameDialogOutcome::Accepted);
        return;
    case SDLK_ESCAPE:
        close(NameDialogOutcome::Cancelled);
        return;
    case SDLK_TAB: {
        // Edit -> OK -> Cancel -> Edit; Shift goes the other way.
        const int step = (key.mod & KMOD_SHIFT) ? 2 : 1;
        buttons.setFocus((focus + 1 + step) % 3 - 1);
        return;
    }
    case SDLK_SPACE:
        if (focus != kEditFocus) {
            close(focus == kOk ? NameDialogOutcome::Accepted : NameDialogOutcome::Cancelled);
        }
        return;
    default:
        break;
    }
    if (focus != kEditFocus) {
        return;
    }
    using Key = EditField::Key;
    if (key.sym == SDLK_a && (key.mod & KMOD_CTRL)) {
        field->press(Key::SelectAll);
    } else if (key.sym == SDLK_BACKSPACE) {
        field->press(Key::Backspace);
    } else if (key.sym == SDLK_DELETE) {
        field->press(Key::Delete);
    } else if (key.sym == SDLK_LEFT) {
        field->press(Key::Left);
    } else if (key.sym == SDLK_RIGHT) {
        field->press(Key::Right);
    } else if (key.sym == SDLK_HOME) {
        field->press(Key::Home);
    } else if (key.sym == SDLK_END) {
        field->press(Key::End);
    }
}

void NameDialogWindow::handleMouse(const SDL_MouseButtonEvent& button) {
    const int clicked = buttons.mouse(button.type, button.x, button.y);
    if (clicked >= 0) {
        close(clicked == kOk ? NameDialogOutcome::Accepted : NameDialogOutcome::Cancelled);
        return;
    }
    if (button.type == SDL_MOUSEBUTTONDOWN && inside(kEdit, button.x, button.y)) {
        buttons.setFocus(kEditFocus);
        field->clickAt(button.x - kEdit.x - 1 - kTextInset);
    }
}

void NameDialogWindow::drawEdit(DialogPainter& painter) {
    using namespace dialogLook;
    const bool focused = buttons.getFocus() == kEditFocus;
    painter.fill(kEdit, kWhite);
    painter.frame(kEdit, focused ? kAccent : kBorder);
    const SDL_Rect inner{kEdit.x + 1, kEdit.y + 1, kEdit.w - 2, kEdit.h - 2};
    const int x = inner.x + kTextInset - field->getScroll();
    const int height = painter.lineHeight();
    const int y = kEdit.y + (kEdit.h - height) / 2;
    const std::string utf8 = cp1250ToUtf8(field->getText());
    painter.clip(&inner);
    if (focused && field->isAllSelected()) {
        painter.fill({x, y, painter.textWidth(utf8), height}, kSelection);
    }
    painter.text(utf8, x, y, kBlack);
    if (focused) {
        painter.fill({x + field->caretX(), y, 1, height}, kBlack);
    }
    painter.clip(nullptr);
}

void NameDialogWindow::draw(DialogPainter& painter) {
    painter.text(cp1250ToUtf8(tr(TextId::NameLabel)), kLabel.x, kLabel.y, dialogLook::kBlack);
    drawEdit(painter);
    buttons.draw(painter);
}

} // namespace

NameDialogOutcome runNameDialogWindow(std::string& text) {
    NameDialogWindow dialog;
    if (!dialog.create(text)) {
        std::fprintf(stderr,
                     "Zembrix: no name dialog (%s): the points of this run are not entered\n",
                     SDL_GetError());
        return NameDialogOutcome::Unavailable;
    }
    dialog.run();
    if (dialog.outcome == NameDialogOutcome::Accepted) {
        text = dialog.field->getText();
    }
    return dialog.outcome;
}
