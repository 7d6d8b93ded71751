// REditor: the editor room's pictures and texts, and its start and end.
#include "rooms/REditor.h"

#include "app/Globals.h"
#include "app/Language.h"
#include "app/platform/TextCodec.h"
#include "app/platform/TextEntry.h"
#include "game/LevelFile.h"
#include "game/Object.h"
#include "game/PlayField.h"
#include "gfx/Background.h"
#include "gfx/Font.h"
#include "gfx/Line.h"
#include "gfx/Sprite.h"
#include "pack/PackerReader.h"
#include "rooms/EditorSession.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr D3DCOLOR kTextColour = 0xFF000000;
constexpr D3DCOLOR kHintColour = 0xFF616161;
constexpr D3DCOLOR kCursorColour = 0xFF2196F3;
constexpr D3DCOLOR kChosenColour = 0xFFE53935;
constexpr D3DCOLOR kEdgeColour = 0xFFBDBDBD;
// The status line, the message under it and the keys' hint, between the palette and the bottom.
constexpr std::int32_t kTitleTop = 462;
constexpr std::int32_t kAuthorTop = 488;
constexpr std::int32_t kMessageTop = 514;
constexpr std::int32_t kHintTop = 542;

Line* makeLine(D3DCOLOR colour, float width) {
    Line* line = new Line();
    line->create(colour, width);
    return line;
}

} // namespace

REditor::REditor() : session(editorSession()) {}

REditor::~REditor() {
    release();
}

void REditor::create() {
    if (!session.started) {
        session.startNew();
    }
    textFont = new Font();
    textFont->create("Arial", 22);
    smallTextFont = new Font();
    smallTextFont->create("Arial", 17);
    makeFieldWalls(walls);
    for (int i = 0; i < kStoneKindCount; ++i) {
        stones[i] = makeSprite(kStoneKinds[i].glowing, kStoneWidth, kStoneHeight, 0);
    }
    cursorLine = makeLine(kCursorColour, 2.0f);
    chosenLine = makeLine(kChosenColour, 3.0f);
    edgeLine = makeLine(kEdgeColour, 1.0f);
}

void REditor::release() {
    if (typing != Typing::None) {
        textEntry::stop();
        typing = Typing::None;
    }
    if (heldButton != 0) {
        session.document.endStroke();
        heldButton = 0;
    }
    for (Background*& wall : walls) {
        delete wall;
        wall = nullptr;
    }
    for (Sprite*& sprite : stones) {
        delete sprite;
        sprite = nullptr;
    }
    for (Line** line : {&cursorLine, &chosenLine, &edgeLine}) {
        delete *line;
        *line = nullptr;
    }
    for (Font** font : {&textFont, &smallTextFont}) {
        delete *font;
        *font = nullptr;
    }
}

void REditor::draw() {
    for (Background* wall : walls) {
        if (wall != nullptr) {
            wall->draw();
        }
    }
    if (edgeLine != nullptr) {
        // Stones stay above this line, far enough from the bat for the ball to get behind them.
        edgeLine->draw(kFieldLeft, kFieldBottom, kFieldRight, kFieldBottom);
    }
    drawStones();
    if (cursorLine != nullptr) {
        const StoneRecord cell = EditorDocument::cellStone(0, session.column, session.row);
        drawBox(*cursorLine, cell.x, cell.y, kStoneW, kStoneH);
    }
    drawPalette();
    drawTexts();
}

void REditor::drawBox(Line& line, float x, float y, float w, float h) {
    line.draw(x, y, x + w, y);
    line.draw(x + w, y, x + w, y + h);
    line.draw(x + w, y + h, x, y + h);
    line.draw(x, y + h, x, y);
}

void REditor::drawStones() {
    for (const StoneRecord& stone : session.document.stones()) {
        Sprite* sprite = stones[stoneKindOfCode(stone.kind).colour];
        if (sprite != nullptr) {
            sprite->setPosition(stone.x, stone.y);
            sprite->draw();
        }
    }
}

void REditor::drawPalette() {
    for (int i = 0; i < kStoneKindCount; ++i) {
        const float x = static_cast<float>(paletteLeft(i));
        if (stones[i] != nullptr) {
            stones[i]->setPosition(x, kPaletteTop);
            stones[i]->draw();
        }
        if (i == session.kind && chosenLine != nullptr) {
            drawBox(*chosenLine, x - 3, kPaletteTop - 3, kStoneW + 6, kStoneH + 6);
        }
        if (textFont != nullptr) {
            const std::string digit = std::to_string(i + 1);
            textFont->draw(digit.c_str(), static_cast<std::int32_t>(x + kStoneW + 10),
                           kPaletteTop + 4, kTextColour, 0, 0, 0);
        }
    }
}

void REditor::drawTexts() {
    if (textFont == nullptr || smallTextFont == nullptr) {
        return;
    }
    const LevelSet& set = session.document.set();
    // The field being typed shows what is typed so far, with a caret.
    const std::string title = typing == Typing::Title ? field.text() + "_" : set.title;
    const std::string author = typing == Typing::Author ? field.text() + "_" : set.author;
    char text[256];
    std::snprintf(text, sizeof text, tr(TextId::EditorTitle), utf8ToCp1250(title).c_str());
    textFont->draw(text, kWallWidth + 16, kTitleTop, kTextColour, 0, 0, 0);
    std::snprintf(text, sizeof text, tr(TextId::EditorAuthor), utf8ToCp1250(author).c_str());
    textFont->draw(text, kWallWidth + 16, kAuthorTop, kTextColour, 0, 0, 0);
    std::snprintf(text, sizeof text, tr(TextId::EditorLevel), session.document.level() + 1,
                  session.document.levelCount());
    // An asterisk marks changes not yet saved.
    const std::string level = std::string(text) + (session.document.dirty() ? " *" : "");
    textFont->draw(level.c_str(), static_cast<std::int32_t>(getScreenWidth() - kWallWidth - 16),
                   kPaletteTop + 4, kTextColour, DT_RIGHT, 0, 0);
    smallTextFont->draw(session.message.c_str(), kWallWidth + 16, kMessageTop, kTextColour, 0, 0,
                        0);
    smallTextFont->draw(tr(typing != Typing::None ? TextId::EditorTyping : TextId::EditorKeys),
                        kWallWidth + 16, kHintTop, kHintColour, 0, 0, 0);
}

void REditor::say(const char* text) {
    session.message = text != nullptr ? text : "";
}
