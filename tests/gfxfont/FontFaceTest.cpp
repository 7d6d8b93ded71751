// Tests of fonts installed from memory and of face resolution by name, height and weight.
#include "gfx/platform/FontFace.h"
#include "gfx/platform/FontMetrics.h"
#include "gfx/platform/FontRegistry.h"
#include "tests/gfxfont/FontTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using fonttest::kDejaVuSans;
using fonttest::readFile;

TEST(FontRegistry, InstallsTheFamiliesAFileDeclaresOnce) {
    std::vector<std::uint8_t> bytes = readFile(kDejaVuSans);
    ASSERT_FALSE(bytes.empty());
    // A separate copy: equal bytes at another address are still the same font.
    std::vector<std::uint8_t> copy = bytes;

    DWORD faces = 99;
    HANDLE first =
        AddFontMemResourceEx(bytes.data(), static_cast<DWORD>(bytes.size()), nullptr, &faces);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(faces, 1u);
    std::size_t files = FontRegistry::get().getFileCount();

    HANDLE second =
        AddFontMemResourceEx(copy.data(), static_cast<DWORD>(copy.size()), nullptr, &faces);
    EXPECT_EQ(second, first);
    EXPECT_EQ(FontRegistry::get().getFileCount(), files);

    const RegisteredFile* file = nullptr;
    const RegisteredFace* face = FontRegistry::get().find("dejavu SANS", false, &file);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->family, "DejaVu Sans");
    EXPECT_FALSE(face->bold);
    EXPECT_EQ(file->bytes, bytes);
    EXPECT_EQ(FontRegistry::get().find("DejaVu", false, &file), nullptr);
}

TEST(FontRegistry, RejectsBytesThatHoldNoFont) {
    std::size_t files = FontRegistry::get().getFileCount();
    std::vector<std::uint8_t> junk(4096, 0x5A);
    DWORD faces = 7;
    EXPECT_EQ(AddFontMemResourceEx(junk.data(), static_cast<DWORD>(junk.size()), nullptr, &faces),
              nullptr);
    EXPECT_EQ(faces, 0u);
    EXPECT_EQ(AddFontMemResourceEx(nullptr, 100, nullptr, &faces), nullptr);
    std::vector<std::uint8_t> bytes = readFile(kDejaVuSans);
    int reserved = 0;
    EXPECT_EQ(AddFontMemResourceEx(bytes.data(), 0, nullptr, nullptr), nullptr);
    EXPECT_EQ(
        AddFontMemResourceEx(bytes.data(), static_cast<DWORD>(bytes.size()), &reserved, nullptr),
        nullptr);
    EXPECT_EQ(FontRegistry::get().getFileCount(), files);
}

TEST(FontFace, PrefersAnInstalledFamilyOverTheSystemFonts) {
    std::vector<std::uint8_t> bytes = readFile(kDejaVuSans);
    ASSERT_NE(
        AddFontMemResourceEx(bytes.data(), static_cast<DWORD>(bytes.size()), nullptr, nullptr),
        nullptr);
    FontFace::Choice choice;
    ASSERT_TRUE(FontFace::resolve("DejaVu Sans", FW_BOLD, choice));
    EXPECT_TRUE(choice.installed);
    EXPECT_EQ(choice.family, "DejaVu Sans");
    // The installed file has no bold face: bold is synthesised.
    EXPECT_FALSE(choice.boldFace);
    EXPECT_EQ(choice.size, bytes.size());
    // Synthesised bold keeps the cell height.
    std::unique_ptr<FontFace> face(FontFace::open("DejaVu Sans", FW_BOLD, 30));
    ASSERT_NE(face, nullptr);
    EXPECT_TRUE(face->getChoice().installed);
    EXPECT_EQ(face->getHeight(), 30);
}

TEST(FontFace, MatchesSystemFacesByNameAndWeight) {
    FontFace::Choice choice;
    ASSERT_TRUE(FontFace::resolve("Arial", FW_BOLD, choice));
    EXPECT_FALSE(choice.installed);
    EXPECT_EQ(choice.family, "Liberation Sans");
    EXPECT_TRUE(choice.boldFace);
    EXPECT_NE(choice.path.find("LiberationSans-Bold"), std::string::npos) << choice.path;

    ASSERT_TRUE(FontFace::resolve("Calibri", FW_BOLD, choice));
    EXPECT_EQ(choice.family, "Carlito");
    EXPECT_TRUE(choice.boldFace);

    ASSERT_TRUE(FontFace::resolve("Arial", FW_NORMAL, choice));
    EXPECT_FALSE(choice.boldFace);

    // Names that no font carries fall back to the system's default face.
    FontFace::Choice unknown;
    ASSERT_TRUE(FontFace::resolve("Aria[", FW_BOLD, unknown));
    EXPECT_FALSE(unknown.path.empty());
    ASSERT_TRUE(FontFace::resolve("System", FW_BOLD, choice));
    EXPECT_FALSE(choice.path.empty());
}

TEST(FontFace, OpensAtTheRequestedCellHeight) {
    for (const char* name : {"Arial", "Calibri", "System", "Aria["}) {
        for (int height : {20, 24, 30, 42, 72}) {
            std::unique_ptr<FontFace> face(FontFace::open(name, FW_BOLD, height));
            ASSERT_NE(face, nullptr) << name << " " << height;
            // As on Windows: the ascent and descent at the em size the height maps to, each
            // rounded.
            EXPECT_NEAR(face->getHeight(), height, 1) << name;
        }
    }
    EXPECT_EQ(FontFace::open("Arial", FW_BOLD, 0), nullptr);
}

// Calibri's stand-in Carlito has Windows metrics (ascent 1950, descent 550 of 2048 units) far
// from its line metrics (1536, 512): Windows sizes and places it by the former.
TEST(FontFace, SizesAndPlacesTextByTheWindowsMetrics) {
    FontFace::Choice choice;
    ASSERT_TRUE(FontFace::resolve("Calibri", FW_BOLD, choice));
    SDL_RWops* file = SDL_RWFromFile(choice.path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    FontMetrics metrics;
    EXPECT_TRUE(readFontMetrics(file, choice.index, metrics));
    SDL_RWclose(file);
    EXPECT_EQ(metrics.unitsPerEm, 2048);
    EXPECT_EQ(metrics.winAscent, 1950);
    EXPECT_EQ(metrics.winDescent, 550);
    // A 42-pixel cell is a 34-pixel em (42 x 2048 / 2500, rounded), ascent 32 and descent 9.
    EXPECT_EQ(metrics.emForCell(42), 34);
    std::unique_ptr<FontFace> face(FontFace::open("Calibri", FW_BOLD, 42));
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->getHeight(), 41);
    // SDL_ttf's baseline lies its own ascent (26 pixels) below the top: 6 pixels too high.
    EXPECT_EQ(face->getTopOffset(), 6);
    // A dotted capital rises above that ascent, and SDL_ttf lowers such a line to make room.
    EXPECT_EQ(face->raisedBy("aeo"), 0);
    EXPECT_GT(face->raisedBy("\xC5\xBB"), 0); // "Ż"
}

TEST(FontMetrics, RefusesFilesWithoutTheTables) {
    std::vector<std::uint8_t> bytes = readFile(kDejaVuSans);
    ASSERT_GT(bytes.size(), 64u);
    FontMetrics metrics;
    for (std::size_t size : {std::size_t{0}, std::size_t{11}, std::size_t{64}}) {
        SDL_RWops* cut = SDL_RWFromConstMem(bytes.data(), static_cast<int>(size));
        EXPECT_FALSE(readFontMetrics(cut, 0, metrics)) << size;
        if (cut != nullptr) { // SDL makes no stream of no bytes
            SDL_RWclose(cut);
        }
    }
    SDL_RWops* whole = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    EXPECT_TRUE(readFontMetrics(whole, 0, metrics));
    SDL_RWclose(whole);
    // No usable metrics: no em size.
    EXPECT_EQ(FontMetrics{}.emForCell(42), 0);
}

TEST(FontFace, RasterisesALineAsWhiteCoverage) {
    std::unique_ptr<FontFace> face(FontFace::open("Arial", FW_BOLD, 24));
    ASSERT_NE(face, nullptr);
    std::uint64_t before = FontFace::getRasterisationCount();
    EXPECT_EQ(face->render(""), nullptr);
    SDL_Surface* narrow = face->render("i");
    SDL_Surface* wide = face->render("Wide text");
    ASSERT_NE(narrow, nullptr);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(FontFace::getRasterisationCount(), before + 2);
    EXPECT_EQ(wide->h, 24);
    EXPECT_GT(wide->w, 4 * narrow->w);
    SDL_FreeSurface(narrow);
    SDL_FreeSurface(wide);
}

} // namespace
