// GameRandom: the process-wide generator.
#include "game/GameRandom.h"

GameRandom& gameRandom() {
    static GameRandom generator;
    return generator;
}
