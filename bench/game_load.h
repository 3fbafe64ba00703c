// The game states the benchmarks measure, put in place by setting the
// game's process-wide values directly, and a plain copy of every value a
// frame reads or changes, so each measured frame starts from the same state.
//
// Every function here needs the pictures loaded (gameInit done) and works
// on whichever platform the program links.
#pragma once

#include "game/field.h"
#include "game/values.h"
#include "game/witch.h"
#include "gfx/surface.h"
#include "input/controls.h"
#include "platform/platform.h"

#include <cstdint>
#include <string>

namespace bench {

// Everything of the game, its input and the backdrop that a frame of any
// screen changes. The keyboard snapshot is left out: each frame takes it
// afresh, and the benchmarks hold no key.
struct GameSnapshot {
    std::int32_t gameState, cursor, score, hiscore, playFrameCount;
    std::int32_t starSpawnDivisor, orbSpawnDivisor, magicFrameCount;
    game::PlayerSlot playerSlots[game::PLAYER_COUNT];
    game::Star stars[game::STAR_CAPACITY];
    std::int32_t starCount;
    game::Orb orbs[game::ORB_CAPACITY];
    std::int32_t orbCount;
    std::int32_t starAnimCount, starAnimPhase, magicAnimCount, magicAnimPhase;
    game::Witch witches[game::PLAYER_COUNT];
    std::uint32_t randomSeed;
    std::int32_t backdropOffset;
    std::uint8_t keyEdges[platform::KEY_COUNT];
    input::ControlState controlStates[input::CONTROL_SLOTS];
};

GameSnapshot capture();
void restore(const GameSnapshot& snapshot);

// The worst load the rules allow: three players in Play, all flying with
// lives left, every witch holding orbs of all 8 colours, 35 stars and 10
// orbs on the field, all wholly on screen and placed so that no star
// strikes and no orb is collected, and none reaches the right edge, in
// the next frame. `screen` is game::Play or game::Magic (the magic sweep
// with the same field: the stars glow additively and drift down-right).
// One frame has been run on `surface` when it returns, so the panels show
// their full sets (fullSet 1) as in a real game; the state is then checked
// with fullLoadProblem and the program ends if it is no full load.
void enterFullLoad(std::int32_t screen, gfx::FramebufferSurface& surface);

// What is wrong with the current state as a full load: empty when it has
// 35 active stars and 10 active orbs, wholly on screen, three active
// players whose witches fly with lives left, hold all 8 colours and show
// the full set, and gameState `screen`.
std::string fullLoadProblem(std::int32_t screen);

// Prints `what` and `problem` to stderr and ends the program with status 1
// when `problem` is not empty.
void requireNoProblem(const char* what, const std::string& problem);

// The three players of the full load: all active, KESANA on Keyboard1,
// MIRUTA on Keyboard2, PELU on Keyboard3.
void seatThreePlayers();

} // namespace bench
