#include "game/values.h"

namespace game {
namespace {

constexpr PlayerSlot DEFAULT_SLOTS[PLAYER_COUNT] = {
    {1, 0, 0}, // KESANA on Keyboard1
    {0, 1, 1}, // MIRUTA on Keyboard2
    {0, 2, 2}, // PELU on Keyboard3
};

} // namespace

std::int32_t gameState = Title;
std::int32_t cursor = 0;
std::int32_t score = 0;
std::int32_t hiscore = 0;
std::int32_t playFrameCount = 0;
std::int32_t starSpawnDivisor = 0;
std::int32_t orbSpawnDivisor = 0;
std::int32_t magicFrameCount = 0;

PlayerSlot playerSlots[PLAYER_COUNT] = {DEFAULT_SLOTS[0], DEFAULT_SLOTS[1], DEFAULT_SLOTS[2]};

void resetGameValues() {
    gameState = Title;
    cursor = 0;
    score = 0;
    hiscore = 0;
    playFrameCount = 0;
    starSpawnDivisor = 0;
    orbSpawnDivisor = 0;
    magicFrameCount = 0;
    for (int i = 0; i < PLAYER_COUNT; ++i) {
        playerSlots[i] = DEFAULT_SLOTS[i];
    }
}

} // namespace game
