// Tests of the name dialog's edit field as data: the 31-byte cut, editing, and its scroll.
#include "score/platform/EditField.h"

#include <gtest/gtest.h>

namespace {

using Key = EditField::Key;

// Every byte 5 pixels wide, in a text area 50 pixels wide: ten bytes fit.
EditField field(const std::string& offered) {
    return EditField(offered, 50,
                     [](const std::string& text) { return 5 * static_cast<int>(text.size()); });
}

TEST(EditField, HoldsAtMost31Bytes) {
    EditField offered = field(std::string(40, 'x'));
    EXPECT_EQ(offered.getText(), std::string(31, 'x'));

    EditField typed = field("");
    typed.type("0123456789abcdefghij");
    typed.type("ABCDEFGHIJ#$%&*()-+=");
    EXPECT_EQ(typed.getText(), "0123456789abcdefghijABCDEFGHIJ#");
    typed.press(Key::Home);
    typed.type("<");
    EXPECT_EQ(typed.getText(), "0123456789abcdefghijABCDEFGHIJ#") << "typing into a full field";
    typed.press(Key::Delete);
    typed.type("<>");
    EXPECT_EQ(typed.getText(), "<123456789abcdefghijABCDEFGHIJ#");
}

TEST(EditField, TypingReplacesTheOfferedNameAndKeysEdit) {
    EditField name = field("Jan");
    EXPECT_TRUE(name.isAllSelected());
    EXPECT_EQ(name.getCaret(), 3u);
    name.type("Ola");
    EXPECT_EQ(name.getText(), "Ola");
    EXPECT_FALSE(name.isAllSelected());

    name.press(Key::SelectAll);
    name.press(Key::Left); // drops the selection, caret at the start
    EXPECT_EQ(name.getCaret(), 0u);
    name.press(Key::SelectAll);
    name.press(Key::Right); // at the end
    EXPECT_EQ(name.getCaret(), 3u);
    name.press(Key::SelectAll);
    name.press(Key::Delete);
    EXPECT_EQ(name.getText(), "");
    name.press(Key::Backspace); // nothing left to erase
    EXPECT_EQ(name.getText(), "");
}

TEST(EditField, AClickPutsTheCaretAtTheNearestBoundary) {
    EditField name = field("abcdef");
    name.clickAt(12); // 2.4 characters in: after "ab"
    EXPECT_EQ(name.getCaret(), 2u);
    EXPECT_FALSE(name.isAllSelected());
    name.clickAt(13); // past the middle of "c"
    EXPECT_EQ(name.getCaret(), 3u);
    name.clickAt(400);
    EXPECT_EQ(name.getCaret(), 6u);
}

// After every edit the field shows as much text as fits: from its start when it fits whole,
// the caret always in view, and no empty room after the end while text is hidden before it.
TEST(EditField, ScrollFollowsEveryEdit) {
    EditField name = field("");
    name.type("0123456789ABCDEFGHIJ"); // 100 pixels in a 50-pixel area
    EXPECT_EQ(name.getScroll(), 50);
    name.press(Key::Home);
    EXPECT_EQ(name.getScroll(), 0);
    name.press(Key::End);
    EXPECT_EQ(name.getScroll(), 50);
    for (int i = 0; i < 4; ++i) {
        name.press(Key::Backspace);
    }
    EXPECT_EQ(name.getScroll(), 30) << "room left empty after the end";

    // Replaced by a text that fits whole: shown from its start.
    name.press(Key::SelectAll);
    name.type("Za\xBF\xF3\xB3\xE6"); // "Zażółć"
    EXPECT_EQ(name.getScroll(), 0);
    name.press(Key::SelectAll);
    name.type("Za\xBF\xF3\xB3\xE6 G\xEA\x9Cl\xB9"); // "Zażółć Gęślą", 12 bytes
    EXPECT_EQ(name.getText().size(), 12u);
    EXPECT_EQ(name.getScroll(), 10);
    name.press(Key::Backspace);
    name.press(Key::Backspace);
    EXPECT_EQ(name.getScroll(), 0) << "the text fits whole again";

    EditField offered = field("0123456789ABCDE"); // offered: caret at the end, in view
    EXPECT_EQ(offered.getScroll(), 25);
    EXPECT_EQ(offered.caretX() - offered.getScroll(), 50);
}

} // namespace
