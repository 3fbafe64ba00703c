// The soak's player: seeded pseudo-random input with a small policy per
// screen, so that menus are passed, games are played, orb sets are cast,
// witches are left to be hit and games end. It reads the game's state but
// never draws from the game's own random source.
#pragma once

#include "game/values.h"
#include "session.h"

#include <cstdint>

namespace replay {

// SplitMix64: small, fast, and any seed (0 included) gives a good stream.
struct InputRandom {
    std::uint64_t state = 0;

    std::uint32_t next();
    std::uint32_t below(std::uint32_t n); // 0 .. n - 1, n >= 1
    bool oneIn(std::uint32_t n);
};

enum class PlayMode : std::uint8_t {
    Steer,     // chase orbs, dodge stars, cast full sets; a little noise
    Random,    // every key of every layout at random
    Idle,      // nothing held: witches sink and get hit
    AllKeys,   // every key code at once
    Opposites, // all four directions of every layout together
    Corner,    // a long hold of two directions into one corner
};

struct SoakInput {
    InputRandom random;
    bool joystick = false;
    std::int32_t lastState = -1;
    // Menus: the keys pressed, how long they stay held, then the pause.
    int menuKeys[2] = {};
    int menuKeyCount = 0;
    std::uint32_t holdLeft = 0;
    std::uint32_t waitLeft = 0;
    game::PlayerSlot plan[game::PLAYER_COUNT] = {};
    // Play and magic.
    PlayMode mode = PlayMode::Steer;
    std::uint32_t modeLeft = 0;
    bool cornerUp = false, cornerRight = false;
    // A careful game steers almost throughout until it has cast magic once,
    // so that orb sets get completed; the others are left to chance.
    bool careful = false;
};

struct SoakFrame {
    bool held[256] = {};
    bool reset = false;
    JoystickReading stick{0, 0, 0};
};

void startSoakInput(SoakInput& input, std::uint32_t seed, bool joystick);

// This frame's keys, reset command and joystick reading, from the game's
// state as the last frame left it.
void nextSoakFrame(SoakInput& input, SoakFrame& frame);

} // namespace replay
