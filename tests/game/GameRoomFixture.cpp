// GameRoomFixture: a headless game started on a test pack, switched to the game room.
#include "tests/game/GameRoomFixture.h"

#include "game/SetInPlay.h"
#include "rooms/RoomManager.h"
#include "score/NameDialog.h"
#include "tests/support/PackFiles.h"

namespace zxtest {

std::vector<std::uint8_t> quietLevel() {
    return encodeLevel({{3, 64.0f, 64.0f}});
}

void GameRoomFixture::start(const std::vector<PackFile>& files) {
    TempDir source;
    const std::string pack = writePackIn(source, files);
    ASSERT_FALSE(pack.empty());
    setNameDialogAnswerer([this](const std::string&) {
        ++namesAsked;
        return NameDialogAnswer{true, "Tester"};
    });
    game = std::make_unique<GameHarness>(pack);
    ASSERT_TRUE(game->started());
}

void GameRoomFixture::TearDown() {
    game.reset();
    setNameDialogAnswerer({});
}

void GameRoomFixture::startWithLevels(const std::vector<std::vector<std::uint8_t>>& levels) {
    std::vector<PackFile> files = gamePictures();
    for (std::size_t i = 0; i < levels.size(); ++i) {
        files.push_back(levelFile(static_cast<int>(i + 1), levels[i]));
    }
    start(files);
}

void GameRoomFixture::startQuiet() {
    startWithLevels(std::vector<std::vector<std::uint8_t>>(kBuiltInLevelCount, quietLevel()));
}

RGame* GameRoomFixture::enterGame() {
    getRoomManager()->changeRoom(RoomGame);
    return room();
}

RGame* GameRoomFixture::room() const {
    return getGameRoom();
}

void GameRoomFixture::press(SDL_Keycode key) {
    SDL_Event event = keyEvent(SDL_KEYDOWN, key);
    room()->handleEvent(&event);
}

} // namespace zxtest
