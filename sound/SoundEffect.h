// SoundEffect: the effects the game asks for, named by what happened.
#pragma once

enum class SoundEffect : int {
    WallBounce, // the ball off a wall
    BatBounce,  // the ball off the bat
    StoneGreen, // a stone breaking, by its kind
    StoneOrange,
    StonePurple,
    FreeLife,     // a stone gave a free life
    LifeLost,     // the ball went below the bat with lives to spare
    LevelCleared, // the last stone of a level broke, more levels to come
    RunLost,      // the last life went
    RunCompleted, // the last level was cleared
    MenuChoice,   // a menu button chosen
    BoxOpening,   // a message box opened (the Linux stand-in; Windows makes its own sound)
};

constexpr int kSoundEffectCount = 12;
