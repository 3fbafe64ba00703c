// What a loaded state must hold before a frame may run on it. A state file
// is input like any other: its numbers index tables, divide and become
// drawing positions, so one that the game could not have left is refused.
#include "state/layout.h"

#include "game/field.h"
#include "game/values.h"
#include "game/witch.h"
#include "gfx/backdrop.h"
#include "gfx/pixel.h"
#include "shell/host.h"

#include <cmath>

namespace state {
namespace {

// Far beyond any position or speed of play, well inside what a truncation
// to a 32-bit drawing position can take.
constexpr float REACH = 1.0e6f;

bool inReach(float v) {
    return std::isfinite(v) && std::fabs(v) <= REACH;
}

bool within(std::int32_t v, std::int32_t low, std::int32_t high) {
    return v >= low && v <= high;
}

bool witchSound(const game::Witch& w) {
    if (!within(w.character, 0, 2) || !inReach(w.x) || !inReach(w.y) || !inReach(w.vx) ||
        !inReach(w.vy)) {
        return false;
    }
    // A witch takes her acceleration and friction whole from her character;
    // before the first game she is all zero.
    const game::Witch& model = game::CharacterTable[w.character];
    const bool fromModel = w.acceleration == model.acceleration && w.friction == model.friction;
    const bool blank = w.acceleration == 0.0f && w.friction == 0.0f;
    if (!fromModel && !blank) {
        return false;
    }
    for (std::int32_t count : w.orbCounts) {
        if (count < 0) {
            return false;
        }
    }
    return within(w.lives, 0, 3);
}

bool fieldSound() {
    int stars = 0;
    for (const game::Star& s : game::stars) {
        if (!within(s.active, 0, 1) || !inReach(s.x) || !inReach(s.y) || !inReach(s.speed)) {
            return false;
        }
        stars += s.active;
    }
    int orbs = 0;
    for (const game::Orb& o : game::orbs) {
        if (!within(o.active, 0, 1) || !inReach(o.x) || !inReach(o.y) || !inReach(o.speed)) {
            return false;
        }
        // The colour indexes the witches' orb counts.
        if (o.active != 0 && !within(o.colour, 0, game::ORB_COLOURS - 1)) {
            return false;
        }
        orbs += o.active;
    }
    return stars == game::starCount && orbs == game::orbCount;
}

} // namespace

bool valuesSound() {
    using namespace game;
    if (!within(gfx::backdropOffset, 0, gfx::FRAME_WIDTH - 1) || !within(gameState, Title, Reset) ||
        !within(cursor, 0, PLAYER_COUNT - 1)) {
        return false;
    }
    // Play and Magic draw one number modulo each divisor.
    if ((gameState == Play || gameState == Magic) &&
        (starSpawnDivisor < 1 || orbSpawnDivisor < 1)) {
        return false;
    }
    for (const PlayerSlot& slot : playerSlots) {
        if (!within(slot.active, 0, 1) || !within(slot.character, 0, 2) ||
            !within(slot.scheme, 0, 3)) {
            return false;
        }
    }
    for (const Witch& w : witches) {
        if (!witchSound(w)) {
            return false;
        }
    }
    return fieldSound() && std::isfinite(shell::host.fpsLastTime) &&
           std::isfinite(shell::host.fpsValue);
}

} // namespace state
