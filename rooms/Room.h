// Room: one screen of the game; the room manager forwards the main loop's calls to it.
#pragma once

#include <SDL.h>

// The numbers changeRoom takes.
enum RoomId : int { RoomMenu = 0, RoomScoreboard = 1, RoomGame = 2, RoomEditor = 3 };

class Room {
  public:
    // A room's destructor runs its own release.
    virtual ~Room() = default;
    // One step of the room, once per turn of the main loop, after the events.
    virtual void update() = 0;
    // Draws the room between the device's begin and end of frame.
    virtual void draw() = 0;
    // One polled event, before that turn's update.
    virtual void handleEvent(SDL_Event* event) = 0;
    // Loads everything the room shows; called once, right after construction.
    virtual void create() = 0;
    // Deletes every owned object; safe when create never ran or stopped half-way.
    virtual void release() = 0;
    // Asked when the player closes the window: false keeps the game running (the room may ask
    // the player first).
    virtual bool mayClose() { return true; }
};
