// Values shared across the game: its state, score, counters and the
// player setup table. All live for the whole run and are never saved.
#pragma once

#include <cstdint>

namespace game {

enum GameState : std::int32_t {
    Title = 0,
    Setup = 1,
    Play = 2,
    GameOver = 3,
    Magic = 4,
    Reset = 5,
};

extern std::int32_t gameState;

extern std::int32_t cursor; // 0..1 on the title, a slot 0..2 on setup
extern std::int32_t score;
extern std::int32_t hiscore;
extern std::int32_t playFrameCount;   // Play frames since program start
extern std::int32_t starSpawnDivisor; // one star chance in this many per frame
extern std::int32_t orbSpawnDivisor;
extern std::int32_t magicFrameCount;

struct PlayerSlot {
    std::int32_t active;
    std::int32_t character; // 0..2
    std::int32_t scheme;    // a ControlScheme 0..3
};

constexpr int PLAYER_COUNT = 3;

extern PlayerSlot playerSlots[PLAYER_COUNT];

// Puts every value above back to its program-start state.
void resetGameValues();

} // namespace game
