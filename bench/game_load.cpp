#include "game_load.h"

#include "game/flow.h"
#include "game/random.h"
#include "game/screens.h"
#include "gfx/backdrop.h"
#include "input/keyboard.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace bench {
namespace {

// Star and orb sprite sizes.
constexpr int STAR_SIZE = 16;
constexpr int ORB_SIZE = 8;

bool whollyOnScreen(float x, float y, int size) {
    return x >= 0.0f && y >= 0.0f && x + static_cast<float>(size) <= 320.0f &&
           y + static_cast<float>(size) <= 240.0f;
}

} // namespace

GameSnapshot capture() {
    GameSnapshot s;
    s.gameState = game::gameState;
    s.cursor = game::cursor;
    s.score = game::score;
    s.hiscore = game::hiscore;
    s.playFrameCount = game::playFrameCount;
    s.starSpawnDivisor = game::starSpawnDivisor;
    s.orbSpawnDivisor = game::orbSpawnDivisor;
    s.magicFrameCount = game::magicFrameCount;
    std::memcpy(s.playerSlots, game::playerSlots, sizeof s.playerSlots);
    std::memcpy(s.stars, game::stars, sizeof s.stars);
    s.starCount = game::starCount;
    std::memcpy(s.orbs, game::orbs, sizeof s.orbs);
    s.orbCount = game::orbCount;
    s.starAnimCount = game::starAnimCount;
    s.starAnimPhase = game::starAnimPhase;
    s.magicAnimCount = game::magicAnimCount;
    s.magicAnimPhase = game::magicAnimPhase;
    std::memcpy(s.witches, game::witches, sizeof s.witches);
    s.randomSeed = game::randomSeed;
    s.backdropOffset = gfx::backdropOffset;
    std::memcpy(s.keyEdges, input::KeyEdgeTable, sizeof s.keyEdges);
    std::memcpy(s.controlStates, input::controlStates, sizeof s.controlStates);
    return s;
}

void restore(const GameSnapshot& s) {
    game::gameState = s.gameState;
    game::cursor = s.cursor;
    game::score = s.score;
    game::hiscore = s.hiscore;
    game::playFrameCount = s.playFrameCount;
    game::starSpawnDivisor = s.starSpawnDivisor;
    game::orbSpawnDivisor = s.orbSpawnDivisor;
    game::magicFrameCount = s.magicFrameCount;
    std::memcpy(game::playerSlots, s.playerSlots, sizeof s.playerSlots);
    std::memcpy(game::stars, s.stars, sizeof s.stars);
    game::starCount = s.starCount;
    std::memcpy(game::orbs, s.orbs, sizeof s.orbs);
    game::orbCount = s.orbCount;
    game::starAnimCount = s.starAnimCount;
    game::starAnimPhase = s.starAnimPhase;
    game::magicAnimCount = s.magicAnimCount;
    game::magicAnimPhase = s.magicAnimPhase;
    std::memcpy(game::witches, s.witches, sizeof s.witches);
    game::randomSeed = s.randomSeed;
    gfx::backdropOffset = s.backdropOffset;
    std::memcpy(input::KeyEdgeTable, s.keyEdges, sizeof s.keyEdges);
    std::memcpy(input::controlStates, s.controlStates, sizeof s.controlStates);
}

void seatThreePlayers() {
    for (int i = 0; i < game::PLAYER_COUNT; ++i) {
        game::playerSlots[i] = game::PlayerSlot{1, i, i};
    }
}

void enterFullLoad(std::int32_t screen, gfx::FramebufferSurface& surface) {
    // From the setup screen with three players, as the game starts one:
    // witches from their templates at x 200, y 135, 103 and 71.
    seatThreePlayers();
    game::gameState = game::Setup;
    game::startGame();
    game::score = 123450;
    game::hiscore = 654320;

    // 35 stars in 7 columns (x 4 .. 148) by 5 rows (y 20 .. 180), at the
    // rules' speeds 1.0 .. 3.9: left of x 200, where a witch's reach for a
    // star begins, and far from the right edge.
    for (int k = 0; k < game::STAR_CAPACITY; ++k) {
        game::stars[k] =
            game::Star{static_cast<float>(4 + 24 * (k % 7)), static_cast<float>(20 + 40 * (k / 7)),
                       1.0f + 0.1f * static_cast<float>(k % 30), 1};
    }
    game::starCount = game::STAR_CAPACITY;
    // 10 orbs, one of each colour and two more, in a column at x 176 (a
    // witch at x 200 reaches orbs from x 200 on), y 10 .. 190.
    for (int k = 0; k < game::ORB_CAPACITY; ++k) {
        game::orbs[k] =
            game::Orb{176.0f, static_cast<float>(10 + 20 * k), 1.0f, 1, k % game::ORB_COLOURS};
    }
    game::orbCount = game::ORB_CAPACITY;
    for (game::Witch& w : game::witches) {
        for (std::int32_t& count : w.orbCounts) {
            count = 1;
        }
    }
    game::gameState = screen;
    game::magicFrameCount = 0;

    // One frame as the game runs it: the panels' full-set flags go up, so
    // the icons show bright as in a real game, and everything moves on a step.
    game::gameFrame(surface);
    requireNoProblem("the full load after its first frame", fullLoadProblem(screen));
}

std::string fullLoadProblem(std::int32_t screen) {
    char text[160];
    if (game::gameState != screen) {
        std::snprintf(text, sizeof text, "gameState is %d, not %d", game::gameState, screen);
        return text;
    }
    int stars = 0;
    for (const game::Star& s : game::stars) {
        if (s.active != 0) {
            if (!whollyOnScreen(s.x, s.y, STAR_SIZE)) {
                std::snprintf(text, sizeof text, "a star at (%g, %g) is not wholly on screen",
                              static_cast<double>(s.x), static_cast<double>(s.y));
                return text;
            }
            ++stars;
        }
    }
    int orbs = 0;
    for (const game::Orb& o : game::orbs) {
        if (o.active != 0) {
            if (!whollyOnScreen(o.x, o.y, ORB_SIZE)) {
                std::snprintf(text, sizeof text, "an orb at (%g, %g) is not wholly on screen",
                              static_cast<double>(o.x), static_cast<double>(o.y));
                return text;
            }
            ++orbs;
        }
    }
    if (stars != game::STAR_CAPACITY || game::starCount != game::STAR_CAPACITY) {
        std::snprintf(text, sizeof text, "%d stars active (count %d), not %d", stars,
                      game::starCount, game::STAR_CAPACITY);
        return text;
    }
    if (orbs != game::ORB_CAPACITY || game::orbCount != game::ORB_CAPACITY) {
        std::snprintf(text, sizeof text, "%d orbs active (count %d), not %d", orbs, game::orbCount,
                      game::ORB_CAPACITY);
        return text;
    }
    for (int i = 0; i < game::PLAYER_COUNT; ++i) {
        const game::Witch& w = game::witches[i];
        if (game::playerSlots[i].active == 0) {
            std::snprintf(text, sizeof text, "player %d is not active", i + 1);
            return text;
        }
        if (w.stateTimer != game::TIMER_FLYING || w.lives <= 0) {
            std::snprintf(text, sizeof text, "witch %d is not flying (timer %d, lives %d)", i + 1,
                          w.stateTimer, w.lives);
            return text;
        }
        for (int j = 0; j < game::ORB_COLOURS; ++j) {
            if (w.orbCounts[j] <= 0) {
                std::snprintf(text, sizeof text, "witch %d holds no orb of colour %d", i + 1, j);
                return text;
            }
        }
        if (w.fullSet == 0) {
            std::snprintf(text, sizeof text, "witch %d's panel does not show its full set", i + 1);
            return text;
        }
    }
    return {};
}

void requireNoProblem(const char* what, const std::string& problem) {
    if (!problem.empty()) {
        std::fprintf(stderr, "benchmark setup: %s is no full load: %s\n", what, problem.c_str());
        std::exit(1);
    }
}

} // namespace bench
