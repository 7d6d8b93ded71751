// RoomManager: owns the current room, forwards the main loop's calls to it and switches rooms.
#pragma once

#include "rooms/Room.h"

class RoomManager {
  public:
    // Makes this manager the process-wide one.
    RoomManager();
    // Deletes the current room, which releases it.
    ~RoomManager();
    RoomManager(const RoomManager&) = delete;
    RoomManager& operator=(const RoomManager&) = delete;

    // Deletes the current room, then builds and creates the room of that number. A number that
    // names no room leaves none current. A room calling this must return at once afterwards.
    void changeRoom(int number);

    void update();
    void draw();
    void handleEvent(SDL_Event* event);
    Room* getCurrentRoom() const { return currentRoom; }

  private:
    Room* currentRoom = nullptr;
};
