// Globals: the storage of the process-wide state. It sits below every layer, so the graphics
// code that reads the screen size links without the application above it.
#include "app/Globals.h"

namespace {

Game* game = nullptr;
PackerReader* packerReader = nullptr;
ScoreTable* scoreTable = nullptr;
RoomManager* roomManager = nullptr;
Sound* sound = nullptr;
std::uint32_t screenWidth = 0;
std::uint32_t screenHeight = 0;

} // namespace

Font* smallFont = nullptr;

Game* getGame() {
    return game;
}

void setGame(Game* value) {
    game = value;
}

PackerReader* getPackerReader() {
    return packerReader;
}

void setPackerReader(PackerReader* reader) {
    packerReader = reader;
}

ScoreTable* getScoreTable() {
    return scoreTable;
}

void setScoreTable(ScoreTable* table) {
    scoreTable = table;
}

RoomManager* getRoomManager() {
    return roomManager;
}

void setRoomManager(RoomManager* manager) {
    roomManager = manager;
}

Sound* getSound() {
    return sound;
}

void setSound(Sound* value) {
    sound = value;
}

std::uint32_t getScreenWidth() {
    return screenWidth;
}

std::uint32_t getScreenHeight() {
    return screenHeight;
}

void setScreenSize(std::uint32_t width, std::uint32_t height) {
    screenWidth = width;
    screenHeight = height;
}
