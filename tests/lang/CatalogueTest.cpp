// The text catalogues: every language has every text with the Polish one's placeholders, each
// text fits the place it is drawn in and its face has every letter of it; the choice of the
// language from the command line, the settings and the system's locales.
#include "app/Language.h"
#include "app/platform/TextCodec.h"
#include "app/platform/ui/DialogPainter.h"
#include "game/PlayField.h"
#include "gfx/platform/FontFace.h"
#include "gfx/platform/FontRegistry.h"
#include "pack/PackEntry.h"
#include "pack/PackerReader.h"
#include "rooms/MenuLayout.h"
#include "tests/support/GameHarness.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>

namespace {

// The printf conversions of a text, in order ("%d", "%s").
std::string conversionsOf(const char* text) {
    std::string found;
    for (const char* c = text; *c != '\0'; ++c) {
        if (c[0] == '%' && c[1] != '\0') {
            found += std::string(c, 2);
            ++c;
        }
    }
    return found;
}

TEST(Catalogue, EveryLanguageHasEveryTextWithThePolishConversions) {
    ASSERT_STREQ(kLanguages[0].code, "pl");
    for (const LanguageTexts& language : kLanguages) {
        for (int id = 0; id < kTextCount; ++id) {
            const char* text = language.texts[id];
            ASSERT_NE(text, nullptr) << language.code << " lacks " << kTextNames[id];
            EXPECT_EQ(conversionsOf(text), conversionsOf(kLanguages[0].texts[id]))
                << language.code << "'s " << kTextNames[id];
        }
    }
}

// Where a text is drawn: the face and height the game asks for, and the widest a line of it may
// be there (0: the place grows with the text, only its letters are checked). A %d is shown with
// a large number.
struct Place {
    TextId id;
    const char* face;
    int weight;
    int height; // cell height; negative for an em size, as the boxes ask
    int width;
};

constexpr int kField = kScreenWidth - 2 * kWallWidth;
// The menu's buttons; the counters' halves of the top row, 48 pixels in from each wall; the boxes'
// 75-pixel buttons and the name dialog's 50-unit ones (75 pixels) with 4 pixels of border and
// margin each side; the name dialog's label, from its left edge to the field (22 units).
constexpr int kBoxButton = 75 - 8;
constexpr int kNameLabel = 22 * 6 / 4 - 2;
constexpr int kBox = -dialogLook::kFontPixels;

constexpr Place kPlaces[] = {
    {TextId::MenuPlay, "Indie Flower", 700, kCaptionHeight, kButtonWidth},
    {TextId::MenuScores, "Indie Flower", 700, kCaptionHeight, kButtonWidth},
    {TextId::MenuInfo, "Indie Flower", 700, kCaptionHeight, kButtonWidth},
    {TextId::MenuQuit, "Indie Flower", 700, kCaptionHeight, kButtonWidth},
    {TextId::LivesCounter, "Calibri", 700, 42, (kScreenWidth - 2 * 48) / 2},
    {TextId::PointsCounter, "Calibri", 700, 42, (kScreenWidth - 2 * 48) / 2},
    {TextId::StatusWaiting, "Calibri", 700, 42, kField},
    {TextId::StatusLost, "Calibri", 700, 42, kField},
    {TextId::StatusCleared, "Calibri", 700, 42, kField},
    {TextId::StatusCompleted, "Calibri", 700, 42, kField},
    {TextId::LevelBanner, "Arial", 700, 72, kField},
    {TextId::PauseBanner, "Arial", 700, 72, kField},
    {TextId::ReplayBanner, "Arial", 700, 72, kField},
    {TextId::FreeLife, "Arial", 700, 24, 3 * kStoneWidth},
    {TextId::ScoresTitle, "System", 700, 72, kScreenWidth - 2 * 16},
    {TextId::ScoresEmpty, "Aria[", 700, 20, kScreenWidth / 2},
    {TextId::BoxYes, dialogLook::kFaceName, 400, kBox, kBoxButton},
    {TextId::BoxNo, dialogLook::kFaceName, 400, kBox, kBoxButton},
    {TextId::BoxOk, dialogLook::kFaceName, 400, kBox, kBoxButton},
    {TextId::NameOk, dialogLook::kFaceName, 400, kBox, kBoxButton},
    {TextId::NameCancel, dialogLook::kFaceName, 400, kBox, kBoxButton},
    {TextId::NameLabel, dialogLook::kFaceName, 400, kBox, kNameLabel},
    {TextId::InfoText, dialogLook::kFaceName, 400, kBox, 0},
    {TextId::InfoTitle, dialogLook::kFaceName, 400, kBox, 0},
    {TextId::LeaveQuestion, dialogLook::kFaceName, 400, kBox, 0},
    {TextId::ErrorTitle, dialogLook::kFaceName, 400, kBox, 0},
    {TextId::ErrorData, dialogLook::kFaceName, 400, kBox, 0},
    {TextId::ErrorDirectx, dialogLook::kFaceName, 400, kBox, 0},
    {TextId::ErrorNoPack, dialogLook::kFaceName, 400, kBox, 0},
    // The level editor's hints across the field, a new set's title, its question.
    {TextId::EditorKeys, "Arial", 700, 17, kField - 32},
    {TextId::EditorTyping, "Arial", 700, 17, kField - 32},
    {TextId::EditorNewSet, "Arial", 700, 22, 0},
    {TextId::EditorDiscard, dialogLook::kFaceName, 400, kBox, 0},
};

// The text as it is shown (a number in place of %d), in UTF-8.
std::string shown(const char* text) {
    char line[512];
    std::snprintf(line, sizeof line, text, 99999);
    return cp1250ToUtf8(line);
}

TEST(Catalogue, EveryTextFitsItsPlaceAndItsFaceHasEveryLetter) {
    // The menu's face comes from the pack, as the game installs it.
    PackerReader pack;
    ASSERT_TRUE(pack.open(zxtest::builtPackPath().c_str())) << pack.getError();
    PackEntry* font = pack.getEntry("IndieFlower.ttf");
    ASSERT_NE(font, nullptr);
    ASSERT_NE(FontRegistry::get().install(font->data, font->size), nullptr);
    for (const Place& place : kPlaces) {
        std::unique_ptr<FontFace> face(FontFace::open(place.face, place.weight, place.height));
        ASSERT_NE(face, nullptr) << place.face;
        for (const LanguageTexts& language : kLanguages) {
            const char* text = language.texts[static_cast<int>(place.id)];
            ASSERT_NE(text, nullptr);
            const std::string utf8 = shown(text);
            const std::string where = std::string(language.code) + "'s " +
                                      kTextNames[static_cast<int>(place.id)] + " in " +
                                      face->getChoice().family;
            EXPECT_EQ(face->missingGlyphs(utf8), "") << where;
            std::istringstream lines(utf8);
            for (std::string line; place.width > 0 && std::getline(lines, line);) {
                EXPECT_LE(face->measure(line), place.width) << where << ": \"" << line << "\"";
            }
        }
    }
}

// The language chosen for a command line's code, a settings' code and the system's locales.
struct Choice {
    const char* asked;
    const char* kept;
    std::vector<std::string> locales;
    const char* chosen;
};

TEST(Language, TheCommandLineThenTheSettingsThenTheSystemsFirstTranslatedLocale) {
    const Choice choices[] = {
        {"", "", {}, "pl"},                          // the system names no language
        {"", "", {"C"}, "pl"},                       // nor does the C locale
        {"", "", {"POSIX"}, "pl"},                   // nor POSIX
        {"", "", {"de_DE"}, "de"},                   // a translated one
        {"", "", {"pl_PL"}, "pl"},                   //
        {"", "", {"fr_FR", "de_AT", "en_US"}, "de"}, // the first translated one wins
        {"", "", {"en-GB", "pl"}, "en"},             // in the system's order
        {"", "", {"ru_RU", "fr"}, "en"},             // only other languages: English
        {"", "de", {"en_US"}, "de"},                 // the settings over the system
        {"en", "de", {"pl_PL"}, "en"},               // the command line over both
        {"", "xx", {"en_US"}, "en"},                 // an unknown kept code counts for nothing
        {"DE", "", {}, "de"},                        // codes in any case
        {"de_DE", "", {}, "pl"},                     // a locale is no code
    };
    for (const Choice& choice : choices) {
        const int index = chooseLanguage(choice.asked, choice.kept, choice.locales);
        ASSERT_GE(index, 0);
        EXPECT_STREQ(kLanguages[index].code, choice.chosen)
            << "asked \"" << choice.asked << "\", kept \"" << choice.kept << "\"";
    }
}

TEST(Language, TextsFollowTheCurrentLanguage) {
    const int german = findLanguage("de");
    ASSERT_GE(german, 0);
    setCurrentLanguage(german);
    EXPECT_STREQ(tr(TextId::BoxNo), "Nein");
    EXPECT_STREQ(currentLanguageCode(), "de");
    setCurrentLanguage(kLanguageCount); // out of range: no change
    EXPECT_STREQ(currentLanguageCode(), "de");
    setCurrentLanguage(0);
    EXPECT_STREQ(tr(TextId::BoxNo), "Nie");
}

} // namespace
