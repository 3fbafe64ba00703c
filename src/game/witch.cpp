#include "game/witch.h"

#include "game/text.h"
#include "gfx/blit.h"
#include "input/controls.h"
#include "input/keyboard.h"

#include <cstdio>

namespace game {
namespace {

// Single-precision constants of the flight rules.
constexpr float DRIFT = 0.1f;
constexpr float MAX_X = 288.0f;
constexpr float MAX_Y = 208.0f;

constexpr Witch characterTemplate(std::int32_t character, float acceleration) {
    return Witch{character,
                 200.0f,
                 100.0f,
                 0.0f,
                 0.0f,
                 8 * character,
                 gfx::ORIENT_UPRIGHT,
                 acceleration,
                 0.9f,
                 0,
                 0,
                 0,
                 0,
                 {0, 0, 0, 0, 0, 0, 0, 0},
                 0,
                 3};
}

void drawWitch(gfx::Pixel* target, const Witch& w, int blendMode) {
    gfx::blit(gfx::BlitRequest{target, static_cast<std::int32_t>(w.x),
                               static_cast<std::int32_t>(w.y), 32, 32, frameSrcX(w.frame),
                               frameSrcY(w.frame), w.orientation, blendMode});
}

} // namespace

Witch witches[PLAYER_COUNT] = {};

const Witch CharacterTable[3] = {
    characterTemplate(0, 0.35f), // KESANA
    characterTemplate(1, 0.3f),  // MIRUTA
    characterTemplate(2, 0.4f),  // PELU
};

void updateWitch(gfx::Pixel* target, int i) {
    Witch& w = witches[i];
    const input::ControlState& k = input::controlStates[i];
    const int ch = w.character;

    int blend = gfx::BLEND_COPY;
    if (w.flashCount > 0) {
        --w.flashCount;
        blend = gfx::BLEND_DOUBLE;
    }
    if (++w.animCount > 3) {
        w.animPhase = (w.animPhase + 1) % 2;
        w.animCount = 0;
    }
    w.frame = 8 * ch;
    w.orientation = gfx::ORIENT_UPRIGHT;

    const std::int32_t t = w.stateTimer;
    if (t >= TIMER_STRUCK && t <= TIMER_STRICKEN_END) {
        // Frozen where struck, flashing between skeleton and her own picture.
        w.frame = w.animPhase == 0 ? 32 + ch : 8 * ch;
        w.stateTimer = t + 1;
        drawWitch(target, w, gfx::BLEND_ADD);
        return;
    }
    if (t >= TIMER_OUT_OF_PLAY) {
        return;
    }
    if (t > TIMER_STRICKEN_END) {
        w.stateTimer = t + 1 == TIMER_RECOVERED ? TIMER_FLYING : t + 1;
        blend = gfx::BLEND_TRANSLUCENT;
    }

    if (input::isActive(k.up)) {
        w.vy = static_cast<float>(static_cast<double>(w.vy) + w.acceleration);
        w.frame = 8 * ch + 4;
    }
    if (input::isActive(k.down)) {
        w.vy = static_cast<float>(static_cast<double>(w.vy) - w.acceleration);
        w.frame = 8 * ch + 2;
    }
    if (input::isActive(k.left)) {
        w.vx = static_cast<float>(static_cast<double>(w.vx) - w.acceleration);
    }
    if (input::isActive(k.right)) {
        w.vx = static_cast<float>(static_cast<double>(w.vx) + w.acceleration);
    }

    // Each position moves with its velocity before friction; the drift
    // pulls only on the position. Every assignment rounds once.
    w.x = static_cast<float>(static_cast<double>(w.x) + w.vx);
    w.vx = static_cast<float>(static_cast<double>(w.vx) * w.friction);
    w.y = static_cast<float>(static_cast<double>(w.y) + (static_cast<double>(w.vy) - DRIFT));
    w.vy = static_cast<float>(static_cast<double>(w.vy) * w.friction);

    if (w.x < 0.0f) {
        w.x = 0.0f;
    }
    if (w.x > MAX_X) {
        w.x = MAX_X;
    }
    if (w.y < 0.0f) {
        w.y = 0.0f;
    }
    if (w.y > MAX_Y) {
        w.y = MAX_Y;
    }

    w.frame += w.animPhase;
    drawWitch(target, w, blend);
}

void updateOrbPanel(gfx::Pixel* target, int i) {
    Witch& w = witches[i];
    int held = 0;
    for (int j = 0; j < ORB_COLOURS; ++j) {
        if (w.orbCounts[j] > 0) {
            // The flag of the previous pass: a set shows bright from the
            // frame after it is completed.
            gfx::blit(gfx::BlitRequest{target, 110 * i + 32 + 8 * j, 3, 8, 8, orbSrcX(j),
                                       orbSrcY(j), gfx::ORIENT_UPRIGHT,
                                       w.fullSet != 0 ? gfx::BLEND_DOUBLE : gfx::BLEND_COPY});
            ++held;
        }
    }
    if (held == ORB_COLOURS) {
        w.fullSet = 1;
        if (input::isActive(input::controlStates[i].maho)) {
            for (std::int32_t& count : w.orbCounts) {
                --count;
            }
            gameState = Magic;
        }
        return;
    }
    w.fullSet = 0;
}

void drawLivesPanel(gfx::FramebufferSurface& surface, int i) {
    const Witch& w = witches[i];
    gfx::blit(gfx::BlitRequest{surface.pixels, 110 * i, 0, 16, 16, 16 * (w.character + 8), 16,
                               gfx::ORIENT_UPRIGHT, gfx::BLEND_COPY});
    char text[16];
    std::snprintf(text, sizeof text, "%02d", w.lives);
    drawText(*surface.drawingContext, 110 * i + 16, 223, TextPeach, text);
}

void clearOrbCounts(Witch& witch) {
    for (std::int32_t& count : witch.orbCounts) {
        count = 0;
    }
}

} // namespace game
