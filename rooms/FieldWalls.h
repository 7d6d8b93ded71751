// FieldWalls: the four walls around the play field, as the game room and the editor lay them.
#pragma once

class Background;

constexpr int kFieldWallCount = 4;

// Makes the left, top and right walls of 32 x 32 tiles and the red strip along the bottom, each
// with its picture from the pack, into walls (which the caller owns and deletes).
void makeFieldWalls(Background* walls[kFieldWallCount]);
