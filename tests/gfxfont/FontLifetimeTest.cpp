// Tests of Font creation from the pack and from face names, its height, its failures, and its
// release at every point of shutdown.
#include "app/platform/User32Script.h"
#include "gfx/Font.h"
#include "gfx/platform/D3DXFont.h"
#include "gfx/platform/FontFace.h"
#include "gfx/platform/FontRegistry.h"
#include "pack/PackEntry.h"
#include "tests/gfxfont/FontTestSupport.h"
#include "tests/support/BoxCheck.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

using fonttest::Screen;

namespace {

// Records message boxes for the test's life.
class BoxRecorder {
  public:
    BoxRecorder() {
        setMessageBoxAnswerer([this](const MessageBoxCall& call) {
            boxes.push_back(call);
            return IDOK;
        });
    }
    ~BoxRecorder() { setMessageBoxAnswerer({}); }
    std::vector<MessageBoxCall> boxes;
};

// A pack entry holding a copy of bytes, allocated as the pack reader does.
void load(PackEntry& entry, const std::vector<std::uint8_t>& bytes) {
    entry.size = static_cast<std::uint32_t>(bytes.size());
    entry.data = new std::uint8_t[bytes.size()];
    std::memcpy(entry.data, bytes.data(), bytes.size());
}

TEST(FontCreate, FromAMissingPackEntryShowsInvalidData) {
    Screen screen;
    ASSERT_TRUE(screen.ready());
    BoxRecorder recorder;
    Font font;
    EXPECT_FALSE(font.createFromPack(nullptr, "Indie Flower", 30));
    EXPECT_EQ(recorder.boxes,
              (std::vector<MessageBoxCall>{{nullptr, "Invalid data!", "", false, MB_OK}}));
    EXPECT_EQ(font.getHeight(), 0);
    // A font that was never made draws nothing.
    screen.begin();
    font.draw("Graj", 100, 100, 0xFF000000, 0, 2, 0);
    ASSERT_TRUE(screen.read());
    EXPECT_TRUE(screen.ink().empty());
}

TEST(FontCreate, FromThePackInstallsTheFileAndSelectsItsFamily) {
    Screen screen;
    ASSERT_TRUE(screen.ready());
    std::vector<std::uint8_t> bytes = fonttest::readFile(fonttest::kDejaVuSans);
    ASSERT_FALSE(bytes.empty());

    PackEntry first;
    load(first, bytes);
    Font font;
    ASSERT_TRUE(font.createFromPack(&first, "DejaVu Sans", 30));
    EXPECT_EQ(first.data, nullptr);
    EXPECT_EQ(font.getHeight(), 30);
    std::size_t files = FontRegistry::get().getFileCount();

    // Every button installs the same file again: it is kept once.
    PackEntry second;
    load(second, bytes);
    Font again;
    ASSERT_TRUE(again.createFromPack(&second, "DejaVu Sans", 30));
    EXPECT_EQ(FontRegistry::get().getFileCount(), files);

    ID3DXFont* made = nullptr;
    ASSERT_EQ(fonttest::createFont(RenderDevice::getDevice(), 30, "dejavu sans", &made), D3D_OK);
    FontFace* face = static_cast<D3DXFont*>(made)->getFace();
    ASSERT_NE(face, nullptr);
    const FontFace::Choice& choice = face->getChoice();
    EXPECT_TRUE(choice.installed);
    EXPECT_EQ(choice.family, "DejaVu Sans");
    made->Release();

    screen.begin();
    font.draw("Graj", 400, 100, 0xFF000000, DT_CENTER, 0, 0);
    ASSERT_TRUE(screen.read());
    EXPECT_FALSE(screen.ink(100, 130).empty());
}

TEST(FontCreate, KeepsTheRequestedHeight) {
    Screen screen;
    ASSERT_TRUE(screen.ready());
    Font font;
    ASSERT_TRUE(font.create("Arial", 72));
    EXPECT_EQ(font.getHeight(), 72);
    ID3DXFont* made = nullptr;
    ASSERT_EQ(fonttest::createFont(RenderDevice::getDevice(), 72, "Arial", &made), D3D_OK);
    FontFace* face = static_cast<D3DXFont*>(made)->getFace();
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->getHeight(), 72);
    made->Release();
}

// A font given its cell height maps its name to a face when it first draws, so a family
// installed after the font was made, but before its first text, is the one drawn with.
TEST(FontCreate, ChoosesItsFaceWhenItFirstDraws) {
    Screen screen;
    ASSERT_TRUE(screen.ready());
    const RegisteredFile* file = nullptr;
    if (FontRegistry::get().find("DejaVu Sans", true, &file) != nullptr) {
        GTEST_SKIP() << "DejaVu Sans was installed by an earlier test of this process";
    }
    ID3DXFont* made = nullptr;
    ASSERT_EQ(fonttest::createFont(RenderDevice::getDevice(), 30, "DejaVu Sans", &made), D3D_OK);
    std::vector<std::uint8_t> bytes = fonttest::readFile(fonttest::kDejaVuSans);
    ASSERT_FALSE(bytes.empty());
    DWORD installed = 0;
    ASSERT_NE(
        AddFontMemResourceEx(bytes.data(), static_cast<DWORD>(bytes.size()), nullptr, &installed),
        nullptr);

    screen.begin();
    RECT rect = {100, 100, 100, 100};
    EXPECT_EQ(made->DrawTextW(nullptr, L"Graj", -1, &rect, DT_NOCLIP, 0xFF000000), 30);
    ASSERT_TRUE(screen.read());
    EXPECT_FALSE(screen.ink(100, 130).empty());
    FontFace* face = static_cast<D3DXFont*>(made)->getFace();
    ASSERT_NE(face, nullptr);
    EXPECT_TRUE(face->getChoice().installed);
    made->Release();

    // Heights no face can be opened at are refused when the font is made.
    EXPECT_EQ(
        fonttest::createFont(RenderDevice::getDevice(), FontFace::kMaxHeight + 1, "Arial", &made),
        E_FAIL);
    EXPECT_EQ(made, nullptr);
}

TEST(FontCreate, FailsWithoutADevice) {
    BoxRecorder recorder;
    Font font;
    EXPECT_FALSE(font.create("Arial", 24));
    EXPECT_EQ(font.getHeight(), 0);
    font.draw("Nothing", 10, 10, 0xFF000000, 0, 1, 0);

    // The entry keeps its bytes when the font cannot be made.
    PackEntry entry;
    load(entry, fonttest::readFile(fonttest::kDejaVuSans));
    EXPECT_FALSE(font.createFromPack(&entry, "DejaVu Sans", 30));
    EXPECT_NE(entry.data, nullptr);
    entry.freeData();
    EXPECT_TRUE(recorder.boxes.empty());

    ID3DXFont* made = reinterpret_cast<ID3DXFont*>(&entry);
    EXPECT_EQ(fonttest::createFont(nullptr, 24, "Arial", &made), D3DERR_INVALIDCALL);
    EXPECT_EQ(made, nullptr);
}

// The game's shutdown: the render device goes first, then the window and SDL, and the shared
// small font last; its textures and the device it holds are freed without fault (run under
// AddressSanitizer and LeakSanitizer).
TEST(FontShutdown, ReleasesAfterTheDeviceAndSdlAreGone) {
    auto screen = std::make_unique<Screen>();
    ASSERT_TRUE(screen->ready());
    auto small = std::make_unique<Font>();
    auto banner = std::make_unique<Font>();
    ASSERT_TRUE(small->create("Arial", 24));
    ASSERT_TRUE(banner->create("Arial", 72));
    screen->begin();
    small->draw("+100", 100, 100, 0xFFE53935, DT_CENTER, 0, 0);
    banner->draw("Poziom 1", 400, 150, 0xFFFFFFFF, DT_CENTER, 1, 0);
    ASSERT_TRUE(screen->read());
    EXPECT_FALSE(screen->ink().empty());

    screen->shutDown();
    // Drawing once everything is gone does nothing.
    banner->draw("Poziom 1", 400, 150, 0xFFFFFFFF, DT_CENTER, 1, 0);
    banner.reset();
    small.reset();
    screen.reset();
}

TEST(FontShutdown, ReleasesAfterTheDeviceBeforeTheWindow) {
    Screen screen;
    ASSERT_TRUE(screen.ready());
    Font font;
    ASSERT_TRUE(font.create("Calibri", 42));
    screen.begin();
    font.draw("Koniec gry", 400, 300, 0xFF000000, DT_CENTER, 0, 0);
    screen.releaseDevice();
    // The font still holds the device: drawing stays valid.
    font.draw("Koniec gry", 400, 300, 0xFF000000, DT_CENTER, 0, 0);
}

} // namespace
