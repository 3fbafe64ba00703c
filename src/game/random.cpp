#include "game/random.h"

namespace game {

std::uint32_t randomSeed = 0;

void seedRandom(std::uint32_t seed) {
    randomSeed = seed;
}

int nextRandom() {
    randomSeed = randomSeed * 214013u + 2531011u;
    return static_cast<int>(randomSeed >> 16 & 0x7FFF);
}

} // namespace game
