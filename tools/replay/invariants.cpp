#include "invariants.h"

#include "game/field.h"
#include "game/witch.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace replay {
namespace {

constexpr float MAX_X = 288.0f;
constexpr float MAX_Y = 208.0f;

bool validTimer(std::int32_t t) {
    return (t >= game::TIMER_FLYING && t < game::TIMER_RECOVERED) || t == game::TIMER_OUT_OF_PLAY;
}

// Fills the violation's line; always false, so a check can return it.
__attribute__((format(printf, 2, 3))) bool fail(Violation& violation, const char* format, ...) {
    std::va_list values;
    va_start(values, format);
    std::vsnprintf(violation.text, sizeof violation.text, format, values);
    va_end(values);
    return false;
}

// Every float of the game, active record or not: a NaN left in a free
// record would come back with the next spawn's unset field.
bool checkFloats(Violation& v) {
    for (int i = 0; i < game::PLAYER_COUNT; ++i) {
        const game::Witch& w = game::witches[i];
        const float fields[] = {w.x, w.y, w.vx, w.vy, w.acceleration, w.friction};
        const char* names[] = {"x", "y", "vx", "vy", "acceleration", "friction"};
        for (int f = 0; f < 6; ++f) {
            if (!std::isfinite(fields[f])) {
                return fail(v, "float: witch %d %s is %g", i, names[f],
                            static_cast<double>(fields[f]));
            }
        }
    }
    for (int i = 0; i < game::STAR_CAPACITY; ++i) {
        const game::Star& s = game::stars[i];
        if (!std::isfinite(s.x) || !std::isfinite(s.y) || !std::isfinite(s.speed)) {
            return fail(v, "float: star %d x %g y %g speed %g", i, static_cast<double>(s.x),
                        static_cast<double>(s.y), static_cast<double>(s.speed));
        }
    }
    for (int i = 0; i < game::ORB_CAPACITY; ++i) {
        const game::Orb& o = game::orbs[i];
        if (!std::isfinite(o.x) || !std::isfinite(o.y) || !std::isfinite(o.speed)) {
            return fail(v, "float: orb %d x %g y %g speed %g", i, static_cast<double>(o.x),
                        static_cast<double>(o.y), static_cast<double>(o.speed));
        }
    }
    return true;
}

bool checkCounts(Violation& v) {
    int stars = 0;
    for (const game::Star& s : game::stars) {
        stars += s.active != 0 ? 1 : 0;
    }
    if (stars != game::starCount) {
        return fail(v, "count: starCount %d but %d stars active", game::starCount, stars);
    }
    int orbs = 0;
    for (int i = 0; i < game::ORB_CAPACITY; ++i) {
        const game::Orb& o = game::orbs[i];
        if (o.active == 0) {
            continue;
        }
        ++orbs;
        // The colour indexes the witches' orb counts and the sprite sheet.
        if (o.colour < 0 || o.colour >= game::ORB_COLOURS) {
            return fail(v, "orb colour: orb %d has colour %d", i, o.colour);
        }
    }
    if (orbs != game::orbCount) {
        return fail(v, "count: orbCount %d but %d orbs active", game::orbCount, orbs);
    }
    return true;
}

bool checkWitches(InvariantMemory& m, Violation& v) {
    for (int i = 0; i < game::PLAYER_COUNT; ++i) {
        const game::Witch& w = game::witches[i];
        const std::int32_t t = w.stateTimer;
        if (!validTimer(t)) {
            return fail(v, "stateTimer: witch %d has %d (want 0..249 or 500)", i, t);
        }
        if (t == game::TIMER_OUT_OF_PLAY) {
            continue;
        }
        if (w.x < 0.0f || w.x > MAX_X || w.y < 0.0f || w.y > MAX_Y) {
            return fail(v,
                        "bounds: witch %d at x %.9g y %.9g with stateTimer %d (want x 0..288, "
                        "y 0..208)",
                        i, static_cast<double>(w.x), static_cast<double>(w.y), t);
        }
        // One stricken frame further on: she must not have moved.
        const std::int32_t before = m.stateTimer[i];
        if (m.primed && before >= game::TIMER_STRUCK && before < game::TIMER_STRICKEN_END &&
            t == before + 1 && (w.x != m.x[i] || w.y != m.y[i])) {
            return fail(v,
                        "stricken: witch %d moved from x %.9g y %.9g to x %.9g y %.9g at "
                        "stateTimer %d",
                        i, static_cast<double>(m.x[i]), static_cast<double>(m.y[i]),
                        static_cast<double>(w.x), static_cast<double>(w.y), t);
        }
    }
    return true;
}

bool checkValues(Violation& v) {
    if (game::gameState < game::Title || game::gameState > game::Reset) {
        return fail(v, "gameState: %d is no screen", game::gameState);
    }
    if ((game::gameState == game::Play || game::gameState == game::Magic) &&
        (game::starSpawnDivisor < 1 || game::orbSpawnDivisor < 1)) {
        return fail(v, "divisor: starSpawnDivisor %d orbSpawnDivisor %d in gameState %d",
                    game::starSpawnDivisor, game::orbSpawnDivisor, game::gameState);
    }
    // The setup screen looks names up by these.
    for (int i = 0; i < game::PLAYER_COUNT; ++i) {
        const game::PlayerSlot& slot = game::playerSlots[i];
        if (slot.character < 0 || slot.character > 2 || slot.scheme < 0 || slot.scheme > 3) {
            return fail(v, "slot: slot %d has character %d scheme %d", i, slot.character,
                        slot.scheme);
        }
    }
    return true;
}

void remember(InvariantMemory& m) {
    for (int i = 0; i < game::PLAYER_COUNT; ++i) {
        m.x[i] = game::witches[i].x;
        m.y[i] = game::witches[i].y;
        m.stateTimer[i] = game::witches[i].stateTimer;
    }
    m.primed = true;
}

} // namespace

bool checkInvariants(InvariantMemory& memory, Violation& violation) {
    const bool ok = checkFloats(violation) && checkCounts(violation) &&
                    checkWitches(memory, violation) && checkValues(violation);
    remember(memory);
    return ok;
}

} // namespace replay
