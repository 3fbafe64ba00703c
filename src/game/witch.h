// The players' witches: flight, looks, orb panel and lives panel.
#pragma once

#include "game/values.h"
#include "gfx/pixel.h"
#include "gfx/surface.h"

#include <cstdint>

namespace game {

constexpr int ORB_COLOURS = 8;

struct Witch {
    std::int32_t character; // 0 pink, 1 orange, 2 blue
    float x;                // left edge, 0 .. 288 in flight
    float y;                // bottom edge counted upward, 0 .. 208 in flight
    float vx;
    float vy;
    std::int32_t frame; // sheet frame drawn this update
    std::int32_t orientation;
    float acceleration;
    float friction;
    std::int32_t stateTimer; // 0 flying, 1..100 stricken, 101..249 recovering, 500 out
    std::int32_t flashCount; // bright updates left after an orb pickup
    std::int32_t animPhase;  // 0 or 1
    std::int32_t animCount;  // 0 .. 3
    std::int32_t orbCounts[ORB_COLOURS];
    std::int32_t fullSet; // every colour held at the last panel pass
    std::int32_t lives;
};

// Timer values with a meaning of their own.
constexpr std::int32_t TIMER_FLYING = 0;
constexpr std::int32_t TIMER_STRUCK = 1;
constexpr std::int32_t TIMER_STRICKEN_END = 100;
constexpr std::int32_t TIMER_RECOVERING = 101;
constexpr std::int32_t TIMER_RECOVERED = 250;
constexpr std::int32_t TIMER_OUT_OF_PLAY = 500;

extern Witch witches[PLAYER_COUNT];

// The three characters as templates; a game start copies one whole.
extern const Witch CharacterTable[3];

// Reads player i's controls, moves, animates and draws witches[i].
void updateWitch(gfx::Pixel* target, int i);

// Draws player i's orb icons; a full set spent with maho casts magic.
void updateOrbPanel(gfx::Pixel* target, int i);

// Draws player i's character icon and lives count.
void drawLivesPanel(gfx::FramebufferSurface& surface, int i);

void clearOrbCounts(Witch& witch);

// Sprite source of sheet frame f (32 by 32 cells, rows counted from the top).
constexpr int frameSrcX(int frame) {
    return 32 * (frame % 8);
}
constexpr int frameSrcY(int frame) {
    return 32 * (4 - frame / 8);
}

// Sprite source of orb colour k (8 by 8).
constexpr int orbSrcX(int colour) {
    return 96 + 8 * (colour % 4);
}
constexpr int orbSrcY(int colour) {
    return 8 * (colour / 4);
}

} // namespace game
