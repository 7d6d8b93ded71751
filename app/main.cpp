// The entry point: start the game, run it, and report 0 after a normal end or 1 after a failed
// start-up.
#include "app/Game.h"

// SDL renames main where the platform needs its own entry point.
#include <SDL.h>

int main(int, char**) {
    Game game;
    if (!game.init(800, 608)) {
        return 1;
    }
    game.run();
    return 0;
}
