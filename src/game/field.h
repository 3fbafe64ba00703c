// What the witches meet: stars that strike and orbs that are collected.
#pragma once

#include "gfx/pixel.h"

#include <cstdint>

namespace game {

struct Star {
    float x;     // left edge of the 16 by 16 sprite
    float y;     // bottom edge counted upward
    float speed; // 1.0 .. 3.9 pixels per Play frame
    std::int32_t active;
};

struct Orb {
    float x; // left edge of the 8 by 8 sprite
    float y;
    float speed;
    std::int32_t active;
    std::int32_t colour; // 0 .. 7
};

constexpr int STAR_CAPACITY = 35;
constexpr int ORB_CAPACITY = 10;

extern Star stars[STAR_CAPACITY];
extern std::int32_t starCount;
extern Orb orbs[ORB_CAPACITY];
extern std::int32_t orbCount;

// Twinkle state shared by all stars; never reset, not even by a game start.
extern std::int32_t starAnimCount;  // 0 .. 3
extern std::int32_t starAnimPhase;  // 0 or 1
extern std::int32_t magicAnimCount; // 0 .. 5
extern std::int32_t magicAnimPhase; // 0 or 1

void clearStars();
void clearOrbs();

// Play: spawn, move, strike flying witches, remove at the right edge, draw.
void updateStars(gfx::Pixel* target);

// Play and Magic: spawn, move, let witches collect, remove, draw.
void updateOrbs(gfx::Pixel* target);

// Magic: the stars drift down and right off the field, glowing, harmless.
void updateMagicStars(gfx::Pixel* target);

// Every record free, counts and twinkles at 0, as at program start.
void resetField();

} // namespace game
