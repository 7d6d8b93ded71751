// Globals: the process-wide state (the single instances and the screen size) and its accessors;
// a leaf that every layer may include, since it names the classes without including them.
#pragma once

#include <cstdint>

class Font;
class Game;
class PackerReader;
class RoomManager;
class ScoreTable;
class Sound;

// The instances are set by their owners: the Game by its constructor, the pack reader, the
// score table and the sound service by the Game's start-up and shutdown, the room manager by its
// constructor. Each accessor returns null until its instance is set. The render device and its
// Direct3D device are reached through RenderDevice::getInstance and RenderDevice::getDevice
// (gfx/RenderDevice.h).
Game* getGame();
void setGame(Game* game);
PackerReader* getPackerReader();
void setPackerReader(PackerReader* reader);
ScoreTable* getScoreTable();
void setScoreTable(ScoreTable* table);
RoomManager* getRoomManager();
void setRoomManager(RoomManager* manager);
// The sound service (sound/Sound.h), set by the Game; the game asks it for every effect.
Sound* getSound();
void setSound(Sound* sound);

// The window's client size in pixels, fixed for the run (800 x 608); 0 until set.
std::uint32_t getScreenWidth();
std::uint32_t getScreenHeight();
// Fixes the screen size; the first step of start-up, and of headless tests.
void setScreenSize(std::uint32_t width, std::uint32_t height);

// The shared small font ("Arial", 24), made at the end of start-up and deleted last.
extern Font* smallFont;
