// Tests of the pictures kept decoded between starts: a kept picture reads back as decoded, and
// one that is damaged, cut short, made by another libpng or asked for with other bytes is not
// used, then kept anew.
#include "gfx/platform/KeptPictures.h"
#include "gfx/platform/PngPicture.h"
#include "tests/support/PictureBytes.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

std::uint32_t gradient(int x, int y) {
    return 0x80000000u | static_cast<std::uint32_t>(x * 5) << 16 |
           static_cast<std::uint32_t>(y * 7);
}

bool samePixels(SDL_Surface* a, SDL_Surface* b) {
    return a != nullptr && b != nullptr && a->w == b->w && a->h == b->h &&
           a->format->format == b->format->format &&
           std::memcmp(a->pixels, b->pixels, static_cast<std::size_t>(a->pitch) * a->h) == 0;
}

class KeptPicturesTest : public ::testing::Test {
  protected:
    zxtest::TempDir root;
    const std::string folder = root.file("cache/zembrix/pictures");
    const std::vector<std::uint8_t> png = zxtest::makePng(37, 11, gradient);

    void SetUp() override { keptPictures::useFolder(folder); }
    void TearDown() override { keptPictures::useFolder(""); }

    SDL_Surface* find() { return keptPictures::find(png.data(), png.size()); }

    // The one kept file, its bytes changed by change.
    template <typename Change> void damage(Change change) {
        ASSERT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
        const fs::path file = fs::directory_iterator(folder)->path();
        std::ifstream in(file, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), {});
        in.close();
        change(bytes);
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    }
};

TEST_F(KeptPicturesTest, ADecodedPictureIsKeptAndReadBackAsDecoded) {
    ASSERT_FALSE(png.empty());
    EXPECT_EQ(find(), nullptr);
    SDL_Surface* decoded = decodePng(png.data(), png.size()); // decodes, then keeps
    SDL_Surface* kept = find();
    EXPECT_TRUE(samePixels(decoded, kept));
    SDL_Surface* again = decodePng(png.data(), png.size()); // read back
    EXPECT_TRUE(samePixels(decoded, again));
    for (SDL_Surface* surface : {decoded, kept, again}) {
        SDL_FreeSurface(surface);
    }
    // Other bytes of the same length find nothing.
    std::vector<std::uint8_t> other =
        zxtest::makePng(37, 11, [](int x, int y) { return gradient(x, y) ^ 1u; });
    EXPECT_EQ(keptPictures::find(other.data(), other.size()), nullptr);
    // Without a folder nothing is kept.
    keptPictures::useFolder("");
    SDL_Surface* unkept = decodePng(other.data(), other.size());
    EXPECT_FALSE(keptPictures::keep(other.data(), other.size(), unkept));
    SDL_FreeSurface(unkept);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST_F(KeptPicturesTest, ADamagedCopyIsNotUsedAndIsKeptAnew) {
    SDL_Surface* decoded = decodePng(png.data(), png.size());
    const std::function<void(std::string&)> damages[] = {
        [](std::string& bytes) { bytes[bytes.size() - 3] ^= 0x10; }, // a pixel
        [](std::string& bytes) { bytes.resize(bytes.size() - 4); },  // cut short
        [](std::string& bytes) { bytes += '!'; },                    // a byte too many
        [](std::string& bytes) { bytes[12] ^= 1; },                  // another libpng
        [](std::string& bytes) { bytes.resize(20); },                // half a header
    };
    for (const auto& change : damages) {
        damage(change);
        EXPECT_EQ(find(), nullptr);
        SDL_Surface* again = decodePng(png.data(), png.size());
        EXPECT_TRUE(samePixels(decoded, again));
        SDL_FreeSurface(again);
        SDL_Surface* kept = find();
        EXPECT_TRUE(samePixels(decoded, kept));
        SDL_FreeSurface(kept);
    }
    SDL_FreeSurface(decoded);
}

} // namespace
