// REditor: the editor room's mouse and keys, and the actions they start.
#include "rooms/REditor.h"

#include "app/Globals.h"
#include "app/Language.h"
#include "app/platform/Clipboard.h"
#include "app/platform/TextCodec.h"
#include "app/platform/TextEntry.h"
#include "app/platform/WideText.h"
#include "game/LevelFile.h"
#include "game/SetInPlay.h"
#include "rooms/EditorSession.h"
#include "rooms/RoomManager.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace {

// The cell whose stone a pointer at (x, y) would place: the stone is centred on the pointer as
// far as the grid allows. False when the pointer is outside the part of the field stones take.
bool cellAt(int x, int y, int& column, int& row) {
    if (x < kFieldLeft || x >= kFieldRight || y < kFieldTop || y >= kFieldBottom) {
        return false;
    }
    // Pointers from 64 + 32 c to 96 + 32 c lie within 16 pixels of the centre of column c.
    const int fromFirst = x - static_cast<int>(kGridLeft + kStoneW / 4);
    column = std::clamp(fromFirst < 0 ? 0 : fromFirst / static_cast<int>(kGridStep), 0,
                        kGridColumns - 1);
    row = std::clamp((y - static_cast<int>(kGridTop)) / static_cast<int>(kGridStep), 0,
                     kGridRows - 1);
    return true;
}

// The palette entry at (x, y), or -1.
int paletteAt(int x, int y) {
    for (int i = 0; i < kStoneKindCount; ++i) {
        if (x >= paletteLeft(i) && x < paletteLeft(i) + static_cast<int>(kStoneW) &&
            y >= kPaletteTop && y < kPaletteTop + static_cast<int>(kStoneH)) {
            return i;
        }
    }
    return -1;
}

} // namespace

void REditor::handleEvent(SDL_Event* event) {
    switch (event->type) {
    case SDL_KEYDOWN:
        if (typing != Typing::None) {
            pressTypingKey(event->key);
        } else {
            pressKey(event->key); // may leave the room: nothing may follow
        }
        break;
    case SDL_TEXTINPUT:
        if (typing != Typing::None) {
            field.type(event->text.text);
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        pressButton(event->button);
        break;
    case SDL_MOUSEMOTION:
        movePointer(event->motion);
        break;
    default:
        break;
    }
}

void REditor::pressKey(const SDL_KeyboardEvent& key) {
    const SDL_Keycode sym = key.keysym.sym;
    const bool ctrl = (key.keysym.mod & KMOD_CTRL) != 0;
    const bool shift = (key.keysym.mod & KMOD_SHIFT) != 0;
    const bool repeat = key.repeat != 0;
    EditorDocument& document = session.document;
    switch (sym) {
    case SDLK_LEFT:
    case SDLK_RIGHT:
        session.column =
            std::clamp(session.column + (sym == SDLK_LEFT ? -1 : 1), 0, kGridColumns - 1);
        return;
    case SDLK_UP:
    case SDLK_DOWN:
        session.row = std::clamp(session.row + (sym == SDLK_UP ? -1 : 1), 0, kGridRows - 1);
        return;
    case SDLK_SPACE:
        document.place(kStoneKinds[session.kind].code, session.column, session.row);
        return;
    case SDLK_DELETE:
    case SDLK_BACKSPACE:
        if (ctrl && sym == SDLK_DELETE) {
            if (!repeat && !document.removeLevel()) {
                say(tr(TextId::EditorLastLevel));
            }
        } else {
            document.eraseCell(session.column, session.row);
        }
        return;
    case SDLK_PAGEUP:
    case SDLK_PAGEDOWN: {
        const int by = sym == SDLK_PAGEUP ? -1 : 1;
        if (ctrl) {
            document.moveLevel(by);
        } else {
            document.goToLevel(document.level() + by);
        }
        return;
    }
    default:
        break;
    }
    if (ctrl && (sym == SDLK_y || (sym == SDLK_z && shift))) {
        document.redo();
        return;
    }
    if (ctrl && sym == SDLK_z) {
        document.undo();
        return;
    }
    if (repeat) {
        return;
    }
    if (!ctrl && sym >= SDLK_1 && sym < SDLK_1 + kStoneKindCount) {
        session.kind = static_cast<int>(sym - SDLK_1);
    } else if (!ctrl && sym >= SDLK_KP_1 && sym < SDLK_KP_1 + kStoneKindCount) {
        session.kind = static_cast<int>(sym - SDLK_KP_1);
    } else if (ctrl && sym == SDLK_n) {
        if (!document.addLevel()) {
            say(fillText(tr(TextId::EditorMostLevels), static_cast<int>(kLevelSetMaxLevels), "")
                    .c_str());
        }
    } else if (ctrl && sym == SDLK_s) {
        session.save();
    } else if (ctrl && sym == SDLK_c) {
        copy();
    } else if (ctrl && sym == SDLK_v) {
        paste();
    } else if (sym == SDLK_F2 || sym == SDLK_F3) {
        startTyping(sym == SDLK_F2 ? Typing::Title : Typing::Author);
    } else if (!ctrl && sym == SDLK_t) {
        testPlay(); // may leave the room
    } else if (sym == SDLK_ESCAPE) {
        leave(); // likewise
    }
}

void REditor::pressTypingKey(const SDL_KeyboardEvent& key) {
    switch (key.keysym.sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        endTyping(true);
        break;
    case SDLK_ESCAPE:
        endTyping(false);
        break;
    case SDLK_BACKSPACE:
        field.eraseLast();
        break;
    default:
        break;
    }
}

void REditor::startTyping(Typing what) {
    typing = what;
    const LevelSet& set = session.document.set();
    field.begin(what == Typing::Title ? set.title : set.author);
    textEntry::start();
}

void REditor::endTyping(bool keep) {
    const Typing what = typing;
    typing = Typing::None;
    textEntry::stop();
    if (!keep) {
        return;
    }
    const std::string text = field.finished();
    if (what == Typing::Title) {
        // A set always has a title: an emptied one keeps the one it had.
        if (!text.empty()) {
            session.document.setTitle(text);
        }
    } else {
        session.document.setAuthor(text);
    }
}

void REditor::pressButton(const SDL_MouseButtonEvent& button) {
    if (button.button != SDL_BUTTON_LEFT && button.button != SDL_BUTTON_RIGHT) {
        return;
    }
    if (button.type == SDL_MOUSEBUTTONUP) {
        if (button.button == heldButton) {
            session.document.endStroke();
            heldButton = 0;
        }
        return;
    }
    if (typing != Typing::None) {
        endTyping(true); // a click elsewhere ends the typing and keeps the text
    }
    const int entry = paletteAt(button.x, button.y);
    if (entry >= 0 && button.button == SDL_BUTTON_LEFT) {
        session.kind = entry;
        return;
    }
    int column = 0;
    int row = 0;
    if (heldButton == 0 && cellAt(button.x, button.y, column, row)) {
        heldButton = button.button;
        session.document.beginStroke();
        paintAt(button.x, button.y, button.button == SDL_BUTTON_RIGHT);
    }
}

void REditor::movePointer(const SDL_MouseMotionEvent& motion) {
    int column = 0;
    int row = 0;
    if (cellAt(motion.x, motion.y, column, row)) {
        session.column = column;
        session.row = row;
    }
    // A button let go outside the window sends no release here: the state tells.
    const Uint32 mask = heldButton == SDL_BUTTON_LEFT ? SDL_BUTTON_LMASK : SDL_BUTTON_RMASK;
    if (heldButton != 0 && (motion.state & mask) == 0) {
        session.document.endStroke();
        heldButton = 0;
    }
    if (heldButton != 0) {
        paintAt(motion.x, motion.y, heldButton == SDL_BUTTON_RIGHT);
    }
}

void REditor::paintAt(int x, int y, bool erase) {
    int column = 0;
    int row = 0;
    if (!cellAt(x, y, column, row)) {
        return;
    }
    session.column = column;
    session.row = row;
    if (erase) {
        session.document.eraseAt(static_cast<float>(x), static_cast<float>(y));
    } else {
        session.document.place(kStoneKinds[session.kind].code, column, row);
    }
}

void REditor::copy() {
    if (clipboard::setText(formatLevelSet(session.document.set()))) {
        say(tr(TextId::EditorCopied));
    }
}

void REditor::paste() {
    LevelSet set;
    LevelSetError error;
    if (!parseLevelSet(clipboard::getText(), set, error)) {
        say(fillText(tr(TextId::EditorNotPasted), error.line, utf8ToCp1250(error.message)).c_str());
        return;
    }
    session.document.replaceSet(std::move(set));
    say(tr(TextId::EditorPasted));
}

bool REditor::testPlay() {
    if (session.document.stones().empty()) {
        say(tr(TextId::EditorNoStones));
        return false;
    }
    playTestLevel(session.document.stones());
    getRoomManager()->changeRoom(RoomGame);
    return true;
}

bool REditor::mayDiscard() {
    return !session.document.dirty() ||
           showMessageBox(GetActiveWindow(), tr(TextId::EditorDiscard), "Zembrix",
                          MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool REditor::leave() {
    if (!mayDiscard()) {
        return false;
    }
    // The menu's set chooser puts the built-in set back in place of the last test play.
    getRoomManager()->changeRoom(RoomMenu);
    return true;
}

bool REditor::mayClose() {
    return mayDiscard();
}
