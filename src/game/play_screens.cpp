// A frame of play and of the magic phase, and the start and end of a game.
#include "game/field.h"
#include "game/screens.h"
#include "game/values.h"
#include "game/witch.h"
#include "gfx/backdrop.h"
#include "input/controls.h"
#include "input/keyboard.h"

namespace game {
namespace {

constexpr std::int32_t MAGIC_FRAMES = 400;
constexpr std::int32_t RAMP_PERIOD = 100;

void readAllControls() {
    input::updatePlayKeyEdges();
    for (int i = 0; i < PLAYER_COUNT; ++i) {
        input::readControlState(i, playerSlots[i].scheme);
    }
}

// Witch, orb panel and lives panel of each active slot.
void updatePlayers(gfx::FramebufferSurface& surface) {
    for (int i = 0; i < PLAYER_COUNT; ++i) {
        if (playerSlots[i].active == 0) {
            continue;
        }
        updateWitch(surface.pixels, i);
        updateOrbPanel(surface.pixels, i);
        drawLivesPanel(surface, i);
    }
}

void keepHiscore() {
    if (score > hiscore) {
        hiscore = score;
    }
}

} // namespace

void startGame() {
    gameState = Play;
    cursor = 0;
    starSpawnDivisor = 80;
    orbSpawnDivisor = 200;
    for (int i = 0; i < PLAYER_COUNT; ++i) {
        Witch& w = witches[i];
        w = CharacterTable[playerSlots[i].character];
        w.y = static_cast<float>(slotSpriteY(i));
        if (playerSlots[i].active != 0) {
            w.stateTimer = TIMER_FLYING;
        } else {
            w.stateTimer = TIMER_OUT_OF_PLAY;
            w.lives = 0;
        }
        clearOrbCounts(w);
    }
    clearOrbs();
    clearStars();
}

void respawnPass() {
    for (int i = 0; i < PLAYER_COUNT; ++i) {
        Witch& w = witches[i];
        if (w.stateTimer == TIMER_STRICKEN_END && w.lives > 0) {
            --w.lives;
            w.x = CharacterTable[playerSlots[i].character].x;
            w.y = static_cast<float>(slotSpriteY(i));
            w.vx = 0.0f;
            w.vy = 0.0f;
            w.stateTimer = TIMER_RECOVERING;
        }
        if (w.lives == 0) {
            w.stateTimer = TIMER_OUT_OF_PLAY;
        }
    }
}

std::int32_t livesTotal() {
    return witches[0].lives + witches[1].lives + witches[2].lives;
}

int playStep(gfx::FramebufferSurface& surface) {
    readAllControls();
    gfx::scrollBackdrop(surface.pixels);
    if (++playFrameCount % RAMP_PERIOD == 0 && starSpawnDivisor > 1) {
        --starSpawnDivisor;
    }
    updatePlayers(surface);
    updateStars(surface.pixels);
    updateOrbs(surface.pixels);
    drawScoreLine(*surface.drawingContext);
    respawnPass();
    if (livesTotal() <= 0) {
        gameState = GameOver;
        keepHiscore();
    }
    return 1;
}

int magicStep(gfx::FramebufferSurface& surface) {
    readAllControls();
    gfx::scrollBackdrop(surface.pixels);
    updatePlayers(surface);
    updateOrbs(surface.pixels);
    updateMagicStars(surface.pixels);
    drawScoreLine(*surface.drawingContext);
    respawnPass();
    if (livesTotal() <= 0) {
        // One Play frame follows, which finds no lives and ends the game.
        gameState = Play;
        keepHiscore();
    }
    if (++magicFrameCount == MAGIC_FRAMES) {
        magicFrameCount = 0;
        gameState = Play;
    }
    return 1;
}

} // namespace game
