// The game's only source of random numbers: a 32-bit linear congruential
// generator, seeded once at start-up and running on across games.
#pragma once

#include <cstdint>

namespace game {

extern std::uint32_t randomSeed;

void seedRandom(std::uint32_t seed);

// The next number, 0 .. 32767.
int nextRandom();

} // namespace game
