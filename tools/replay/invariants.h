// What must hold of the game's state after every frame, checked by the soak.
#pragma once

#include "game/values.h"

#include <cstdint>

namespace replay {

// The previous frame's witch positions and timers, to see that a stricken
// witch stays where she was struck.
struct InvariantMemory {
    bool primed = false;
    float x[game::PLAYER_COUNT] = {};
    float y[game::PLAYER_COUNT] = {};
    std::int32_t stateTimer[game::PLAYER_COUNT] = {};
};

// The first broken rule: the check's name and the values, one line.
struct Violation {
    char text[200] = {};
};

// Checks the game state as the last frame left it. Returns false and fills
// `violation` on the first rule broken. Allocates nothing.
bool checkInvariants(InvariantMemory& memory, Violation& violation);

} // namespace replay
