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

// Counts the active entries, or names the first that is not wholly on screen.
template <typename Entry, std::size_t N>
bool countOnScreen(const Entry (&entries)[N], int size, const char* what, int& active, char* text,
                   std::size_t room) {
    for (const Entry& e : entries) {
        if (e.active == 0) {
            continue;
        }
        if (!whollyOnScreen(e.x, e.y, size)) {
            std::snprintf(text, room, "%s at (%g, %g) is not wholly on screen", what,
                          static_cast<double>(e.x), static_cast<double>(e.y));
            return false;
        }
        ++active;
    }
    return true;
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
    int orbs = 0;
    if (!countOnScreen(game::stars, STAR_SIZE, "a star", stars, text, sizeof text) ||
        !countOnScreen(game::orbs, ORB_SIZE, "an orb", orbs, text, sizeof text)) {
        return text;
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
