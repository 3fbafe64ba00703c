// The title, setup and game over screens, and the reset frame.
#include "game/screens.h"
#include "game/tables.h"
#include "game/text.h"
#include "game/values.h"
#include "gfx/backdrop.h"
#include "gfx/blit.h"
#include "input/keyboard.h"

#include <cstdio>
#include <cstring>

namespace game {
namespace {

bool newlyPressed(int key) {
    return input::isActive(input::KeyEdgeTable[key]);
}

void drawMenuCursor(gfx::Pixel* target, int x, int y) {
    gfx::blit(gfx::BlitRequest{target, x, y, 16, 16, 128, 0, gfx::ORIENT_UPRIGHT, gfx::BLEND_COPY});
}

} // namespace

int titleStep(gfx::FramebufferSurface& surface) {
    input::updateMenuKeyEdges();
    gfx::scrollBackdrop(surface.pixels);
    gfx::DrawingContext& dc = *surface.drawingContext;
    drawText(dc, 115, 80, TextPeach, "SorviKadra99");
    drawText(dc, 135, 160, TextPeach, "Mode1");
    drawText(dc, 135, 180, TextPeach, "Mode2");
    drawMenuCursor(surface.pixels, 115, 63 - 20 * cursor);

    if (newlyPressed(platform::KEY_RETURN)) {
        gameState = Setup;
        cursor = 0;
    }
    if (newlyPressed(platform::KEY_UP)) {
        cursor = cursor <= 0 ? 1 : cursor - 1;
    }
    if (newlyPressed(platform::KEY_DOWN)) {
        cursor = (cursor + 1) % 2;
    }
    return 1;
}

int setupStep(gfx::FramebufferSurface& surface) {
    input::updateMenuKeyEdges();
    gfx::scrollBackdrop(surface.pixels);
    gfx::DrawingContext& dc = *surface.drawingContext;
    for (int i = 0; i < PLAYER_COUNT; ++i) {
        const PlayerSlot& slot = playerSlots[i];
        gfx::blit(gfx::BlitRequest{surface.pixels, 70, slotSpriteY(i), 32, 32, 0,
                                   128 - 32 * slot.character, gfx::ORIENT_UPRIGHT,
                                   slot.active != 0 ? gfx::BLEND_COPY : gfx::BLEND_TRANSLUCENT});
        drawText(dc, 110, 80 + 32 * i, TextPeach, CharacterNames[slot.character]);
        drawText(dc, 190, 80 + 32 * i, TextPeach, SchemeNames[slot.scheme]);
    }
    drawText(dc, 10, 223, TextMint, SchemeHelp[playerSlots[cursor].scheme]);
    drawMenuCursor(surface.pixels, 50, 143 - 32 * cursor);
    drawScoreLine(dc);

    if (newlyPressed(platform::KEY_UP)) {
        cursor = cursor <= 0 ? 2 : cursor - 1;
    }
    if (newlyPressed(platform::KEY_DOWN)) {
        cursor = (cursor + 1) % 3;
    }
    PlayerSlot& slot = playerSlots[cursor];
    if (newlyPressed(platform::KEY_LEFT)) {
        slot.scheme = slot.scheme <= 0 ? 3 : slot.scheme - 1;
    }
    if (newlyPressed(platform::KEY_RIGHT)) {
        slot.scheme = (slot.scheme + 1) % 4;
    }
    if (newlyPressed(platform::KEY_SHIFT)) {
        slot.active = slot.active == 0 ? 1 : 0;
    }
    if (newlyPressed(platform::KEY_SPACE)) {
        slot.character = (slot.character + 1) % 3;
    }
    if (newlyPressed(platform::KEY_RETURN)) {
        startGame();
    }
    return 1;
}

int gameOverStep(gfx::FramebufferSurface& surface) {
    input::updateMenuKeyEdges();
    std::memset(surface.pixels, 0, gfx::FRAME_PIXELS * sizeof(gfx::Pixel));
    gfx::DrawingContext& dc = *surface.drawingContext;
    char line[32];
    drawText(dc, 118, 110, TextPeach, "GAME OVER");
    std::snprintf(line, sizeof line, "SCORE   %06d", score);
    drawText(dc, 108, 150, TextPeach, line);
    std::snprintf(line, sizeof line, "HISCORE %06d", hiscore);
    drawText(dc, 108, 170, TextPeach, line);

    if (newlyPressed(platform::KEY_RETURN)) {
        gameState = Title;
        score = 0;
    }
    return 1;
}

int resetStep() {
    magicFrameCount = 0;
    cursor = 0;
    gameState = Title;
    return 1;
}

void drawScoreLine(gfx::DrawingContext& context) {
    char line[32];
    std::snprintf(line, sizeof line, "%06d / %06d", score, hiscore);
    drawText(context, 100, 3, TextMint, line);
}

} // namespace game
