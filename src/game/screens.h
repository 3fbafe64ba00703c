// The state steps of the game's screens, one per frame, and the helpers
// they share. Called by gameFrame.
#pragma once

#include "gfx/surface.h"

#include <cstdint>

namespace game {

int titleStep(gfx::FramebufferSurface& surface);
int setupStep(gfx::FramebufferSurface& surface);
int playStep(gfx::FramebufferSurface& surface);
int magicStep(gfx::FramebufferSurface& surface);
int gameOverStep(gfx::FramebufferSurface& surface);
int resetStep();

// From the setup screen into play: witches from their templates, divisors
// set, field emptied.
void startGame();

// The end of every Play and Magic frame: witches whose stricken phase just
// ended lose a life and come back; those without lives leave play.
void respawnPass();

std::int32_t livesTotal();

// "score / hiscore" in mint at the top of setup, play and magic.
void drawScoreLine(gfx::DrawingContext& context);

// The Y where slot i's witch starts and comes back, and its portrait sits.
constexpr int slotSpriteY(int i) {
    return 135 - 32 * i;
}

} // namespace game
