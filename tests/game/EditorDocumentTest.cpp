// The level editor's document: placing and erasing on the grid, undo and redo, the level list,
// the sets that cannot be saved and how a session names and writes its file; the typed title.
#include "rooms/EditorDocument.h"
#include "game/LevelFile.h"
#include "game/LevelSetFile.h"
#include "game/SetInPlay.h"
#include "rooms/EditorSession.h"
#include "rooms/TextField.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {

constexpr std::int32_t kPurple = 1;
constexpr std::int32_t kOrange = 2;
constexpr std::int32_t kGreen = 3;

// The set as one comparable text: title, author and every level's stones.
std::string shape(const LevelSet& set) {
    std::string out = set.title + "|" + set.author;
    for (const std::vector<StoneRecord>& level : set.levels) {
        out += "\n";
        for (const StoneRecord& s : level) {
            out += std::to_string(s.kind) + "@" + std::to_string(static_cast<int>(s.x)) + "," +
                   std::to_string(static_cast<int>(s.y)) + " ";
        }
    }
    return out;
}

// The level holds stones in reading order, inside the field, none overlapping another.
void expectPlayableOrder(const std::vector<StoneRecord>& stones) {
    for (std::size_t i = 0; i < stones.size(); ++i) {
        EXPECT_TRUE(insideField(stones[i])) << i;
        for (std::size_t j = i + 1; j < stones.size(); ++j) {
            EXPECT_FALSE(overlaps(stones[i], stones[j])) << i << " and " << j;
            const bool before = stones[i].y < stones[j].y ||
                                (stones[i].y == stones[j].y && stones[i].x < stones[j].x);
            EXPECT_TRUE(before) << i << " and " << j << " out of reading order";
        }
    }
}

TEST(EditorDocument, PlacingReplacesWhatItOverlapsAndKeepsReadingOrder) {
    EditorDocument doc("Test");
    ASSERT_EQ(doc.levelCount(), 1);
    // The corners of the grid are the corners of the stones' part of the field.
    EXPECT_EQ(EditorDocument::cellStone(kGreen, 0, 0).x, 48.0f);
    EXPECT_EQ(EditorDocument::cellStone(kGreen, kGridColumns - 1, kGridRows - 1).x, 688.0f);
    EXPECT_EQ(EditorDocument::cellStone(kGreen, kGridColumns - 1, kGridRows - 1).y, 352.0f);
    // Placed out of order, across rows, with half-stone neighbours that push each other out.
    const int cells[][2] = {{20, 9}, {4, 2}, {0, 2}, {2, 2}, {19, 0}, {0, 9}, {3, 2}, {7, 5}};
    for (const auto& cell : cells) {
        EXPECT_TRUE(doc.place(kOrange, cell[0], cell[1]));
        expectPlayableOrder(doc.stones());
    }
    // {3, 2} took the place of {2, 2} and {4, 2}, which it overlapped; {0, 2} touches it only.
    std::vector<int> row2;
    for (const StoneRecord& s : doc.stones()) {
        if (s.y == 128.0f) {
            row2.push_back(static_cast<int>(s.x));
        }
    }
    EXPECT_EQ(row2, (std::vector<int>{48, 144}));
    EXPECT_EQ(doc.stones().size(), 6u);
    // Another kind at a taken cell replaces the stone; the same stone again changes nothing.
    EXPECT_TRUE(doc.place(kPurple, 3, 2));
    EXPECT_FALSE(doc.place(kPurple, 3, 2));
    EXPECT_EQ(doc.stones().size(), 6u);
    EXPECT_FALSE(doc.place(kGreen, kGridColumns, 0));
    EXPECT_FALSE(doc.place(kGreen, 0, -1));
    // Erasing: the cell takes every stone a stone there would overlap; the point only its own.
    ASSERT_TRUE(doc.place(kGreen, 5, 2)); // touches (3, 2)
    EXPECT_TRUE(doc.eraseCell(4, 2));     // overlaps (3, 2) and (5, 2)
    EXPECT_FALSE(doc.eraseCell(10, 3));   // nothing there
    EXPECT_FALSE(doc.eraseAt(300.0f, 300.0f));
    EXPECT_TRUE(doc.eraseAt(48.0f + 63.0f, 352.0f + 31.0f)); // the stone at (0, 9), its last pixel
    EXPECT_EQ(doc.stones().size(), 4u);
    expectPlayableOrder(doc.stones());
}

TEST(EditorDocument, UndoAndRedoRetraceAMixedSequenceAndTheSavedStateIsNotDirty) {
    EditorDocument doc("Start");
    EXPECT_FALSE(doc.dirty());
    EXPECT_FALSE(doc.undo());
    std::vector<std::string> shapes{shape(doc.set())};
    std::vector<int> levels{doc.level()};
    const auto step = [&](bool changed) {
        ASSERT_TRUE(changed);
        shapes.push_back(shape(doc.set()));
        levels.push_back(doc.level());
    };
    step(doc.place(kGreen, 0, 0));
    step(doc.setTitle("Ogień"));
    step(doc.addLevel());
    step(doc.place(kPurple, 5, 5));
    doc.beginStroke(); // a drag: three stones, one change
    EXPECT_TRUE(doc.place(kOrange, 6, 6));
    EXPECT_TRUE(doc.place(kOrange, 8, 6));
    EXPECT_TRUE(doc.eraseAt(5 * 32 + 48 + 1, 5 * 32 + 64 + 1));
    doc.endStroke();
    step(true);
    step(doc.moveLevel(-1));
    step(doc.setAuthor("Ala"));
    step(doc.eraseCell(6, 6)); // the stroke's level, now the first
    step(doc.removeLevel());
    doc.markSaved();
    // Back to the start, each undo giving the set and the level of the step before.
    for (std::size_t i = shapes.size() - 1; i > 0; --i) {
        ASSERT_TRUE(doc.undo()) << i;
        EXPECT_EQ(shape(doc.set()), shapes[i - 1]) << i;
        EXPECT_EQ(doc.level(), levels[i - 1]) << i;
        EXPECT_TRUE(doc.dirty()) << i;
    }
    EXPECT_FALSE(doc.undo());
    for (std::size_t i = 1; i < shapes.size(); ++i) {
        ASSERT_TRUE(doc.redo()) << i;
        EXPECT_EQ(shape(doc.set()), shapes[i]) << i;
    }
    EXPECT_FALSE(doc.redo());
    EXPECT_FALSE(doc.dirty()); // redone up to the saved state
    // A new change after an undo drops what could have been redone.
    ASSERT_TRUE(doc.undo());
    ASSERT_TRUE(doc.place(kGreen, 10, 0));
    EXPECT_FALSE(doc.redo());
    EXPECT_TRUE(doc.dirty());
    // A pasted set is one change too.
    LevelSet pasted{"Wklejony", "", {{{kGreen, 48, 64}}, {{kPurple, 80, 96}}}};
    const std::string before = shape(doc.set());
    doc.replaceSet(pasted);
    EXPECT_EQ(shape(doc.set()), shape(pasted));
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(shape(doc.set()), before);
}

TEST(EditorDocument, LevelsAreAddedRemovedAndMovedAroundTheCurrentOne) {
    EditorDocument doc("Poziomy");
    EXPECT_FALSE(doc.removeLevel()); // never the last one
    EXPECT_FALSE(doc.moveLevel(-1));
    EXPECT_FALSE(doc.moveLevel(1));
    // Levels A B C, each marked by the column of its one stone.
    for (int mark = 0; mark < 3; ++mark) {
        if (mark > 0) {
            ASSERT_TRUE(doc.addLevel());
        }
        ASSERT_TRUE(doc.place(kGreen, mark, 0));
    }
    const auto order = [&] {
        std::string out;
        for (const auto& level : doc.set().levels) {
            out += level.empty() ? '-' : static_cast<char>('A' + (level[0].x - 48) / 32);
        }
        return out;
    };
    EXPECT_EQ(order(), "ABC");
    EXPECT_EQ(doc.level(), 2);
    ASSERT_TRUE(doc.goToLevel(0));
    ASSERT_TRUE(doc.addLevel()); // right after the current one, and current
    EXPECT_EQ(order(), "A-BC");
    EXPECT_EQ(doc.level(), 1);
    ASSERT_TRUE(doc.moveLevel(1));
    ASSERT_TRUE(doc.moveLevel(1));
    EXPECT_EQ(order(), "ABC-");
    EXPECT_EQ(doc.level(), 3);
    EXPECT_FALSE(doc.moveLevel(1));
    EXPECT_FALSE(doc.goToLevel(4));
    ASSERT_TRUE(doc.goToLevel(0));
    ASSERT_TRUE(doc.moveLevel(1));
    EXPECT_EQ(order(), "BAC-");
    ASSERT_TRUE(doc.goToLevel(3));
    ASSERT_TRUE(doc.removeLevel()); // the last one: the one before becomes current
    EXPECT_EQ(order(), "BAC");
    EXPECT_EQ(doc.level(), 2);
    // At most the levels a set file may hold.
    while (doc.levelCount() < static_cast<int>(kLevelSetMaxLevels)) {
        ASSERT_TRUE(doc.addLevel());
    }
    EXPECT_FALSE(doc.addLevel());
}

TEST(EditorDocument, OnlyAPlayableSetIsSavedUnderANameOfItsOwn) {
    zxtest::TempDir dir;
    ASSERT_FALSE(dir.path().empty());
    setLevelsFolder(dir.file("levels")); // made by the first save
    EditorSession& session = editorSession();
    session.startNew();
    EditorDocument& doc = session.document;
    ASSERT_TRUE(doc.setTitle("Mój zestaw: 2!"));
    ASSERT_TRUE(doc.place(kGreen, 0, 0));
    ASSERT_TRUE(doc.addLevel());
    // The second level is empty: refused, naming it, and nothing written.
    EXPECT_EQ(doc.saveRefusal().kind, SaveRefusal::EmptyLevel);
    EXPECT_EQ(doc.saveRefusal().level, 1);
    EXPECT_FALSE(session.save());
    EXPECT_NE(session.message.find('2'), std::string::npos) << session.message;
    EXPECT_TRUE(findLevelSets(dir.file("levels")).empty());
    EXPECT_TRUE(doc.dirty());
    ASSERT_TRUE(doc.place(kOrange, 20, 9));
    ASSERT_TRUE(session.save()) << session.message;
    EXPECT_FALSE(doc.dirty());
    const std::string first = dir.file("levels/M-j-zestaw-2.zxl");
    const FoundSet saved = readLevelSetFile(first);
    ASSERT_TRUE(saved.valid) << describeRefusal(saved);
    EXPECT_EQ(shape(saved.set), shape(doc.set()));
    // A second new set of the same title does not overwrite the first; saved again, it keeps
    // its own file.
    session.startNew();
    ASSERT_TRUE(session.document.setTitle("Mój zestaw: 2!"));
    ASSERT_TRUE(session.document.place(kPurple, 1, 1));
    ASSERT_TRUE(session.save()) << session.message;
    ASSERT_TRUE(session.document.place(kPurple, 3, 1));
    ASSERT_TRUE(session.save()) << session.message;
    EXPECT_TRUE(readLevelSetFile(first).valid);
    EXPECT_EQ(shape(readLevelSetFile(first).set), shape(saved.set));
    const FoundSet second = readLevelSetFile(dir.file("levels/M-j-zestaw-2-2.zxl"));
    ASSERT_TRUE(second.valid) << describeRefusal(second);
    EXPECT_EQ(second.set.levels[0].size(), 2u);
    EXPECT_EQ(findLevelSets(dir.file("levels")).size(), 2u);
    // An opened file is saved under its own name; a refused one starts a new set named after it.
    session.open(first);
    EXPECT_EQ(session.name, "M-j-zestaw-2");
    EXPECT_FALSE(session.document.dirty());
    std::ofstream(dir.file("broken.zxl")) << "title X\nlevel\ngrid 48 64\nQ\n";
    session.open(dir.file("broken.zxl"));
    EXPECT_EQ(session.document.set().title, "broken");
    EXPECT_NE(session.message.find("broken.zxl:3: "), std::string::npos) << session.message;
    EXPECT_EQ(fileNameForTitle("ąę ?"), "zestaw");
    setLevelsFolder("");
}

TEST(TextField, KeepsFortyCharactersTheFontsCanShow) {
    TextField field;
    field.begin("Ab");
    EXPECT_TRUE(field.type("ćŻ€ß"));      // all in Windows-1250
    EXPECT_FALSE(field.type("漢\t\x7F")); // none is
    EXPECT_TRUE(field.type("x\xC3"));     // a cut sequence is dropped, the letter kept
    EXPECT_EQ(field.text(), "AbćŻ€ßx");
    EXPECT_TRUE(field.eraseLast());
    EXPECT_TRUE(field.eraseLast()); // one character, two bytes
    EXPECT_EQ(field.text(), "AbćŻ€");
    field.type(std::string(50, 'z').c_str());
    EXPECT_EQ(utf8Length(field.text()), kLevelSetMaxText);
    EXPECT_FALSE(field.type("ą"));
    EXPECT_EQ(field.original(), "Ab");
    field.begin("  Tytuł z odstępami \t");
    EXPECT_EQ(field.finished(), "Tytuł z odstępami");
}

} // namespace
