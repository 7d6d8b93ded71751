// The room manager: one current room, rebuilt from its number on every switch.
#include "rooms/RoomManager.h"

#include "app/Globals.h"
#include "rooms/REditor.h"
#include "rooms/RGame.h"
#include "rooms/RMenu.h"
#include "rooms/RScoreboard.h"

namespace {

// Builds the room of a number, or null for a number that names no room.
Room* makeRoom(int number) {
    switch (number) {
    case RoomMenu:
        return new RMenu();
    case RoomScoreboard:
        return new RScoreboard();
    case RoomGame:
        return new RGame();
    case RoomEditor:
        return new REditor();
    default:
        return nullptr;
    }
}

} // namespace

RoomManager::RoomManager() {
    setRoomManager(this);
}

RoomManager::~RoomManager() {
    delete currentRoom;
    currentRoom = nullptr;
}

void RoomManager::changeRoom(int number) {
    // The old room goes before the new one is built, so the two never hold resources at once.
    delete currentRoom;
    currentRoom = nullptr;
    Room* room = makeRoom(number);
    if (room == nullptr) {
        return;
    }
    currentRoom = room;
    currentRoom->create();
}

void RoomManager::update() {
    if (currentRoom != nullptr) {
        currentRoom->update();
    }
}

void RoomManager::draw() {
    if (currentRoom != nullptr) {
        currentRoom->draw();
    }
}

void RoomManager::handleEvent(SDL_Event* event) {
    if (currentRoom != nullptr) {
        currentRoom->handleEvent(event);
    }
}
