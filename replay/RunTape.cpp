// RunTape: the process-wide tape and the level set a run plays.
#include "replay/RunTape.h"

#include "game/SetInPlay.h"

namespace {

RunTape* tape = nullptr;

} // namespace

RunTape* getRunTape() {
    return tape;
}

void setRunTape(RunTape* value) {
    tape = value;
}

PlayedSet playedSet() {
    return {setTitle(), setIdentity()};
}
