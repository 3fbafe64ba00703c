#include "invariants.h"
#include "session.h"
#include "steer.h"

#include "game/field.h"
#include "game/values.h"
#include "game/witch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using replay::InvariantMemory;
using replay::Violation;

// A session in which a two-player game has been played for a while, so
// that witches, stars and orbs are all live; every frame of it is checked.
class InvariantsTest : public testing::Test {
  protected:
    void SetUp() override {
        replay::startSession(3, replay::JoystickSetup{});
        const int menu[] = {13, 0, 40, 0, 16, 0, 13, 0};
        for (int key : menu) {
            bool held[256] = {};
            held[key] = key != 0;
            replay::runFrame(held, false);
        }
        ASSERT_EQ(game::gameState, game::Play);
        for (int f = 0; f < 1500; ++f) {
            bool held[256] = {};
            for (int i = 0; i < game::PLAYER_COUNT; ++i) {
                if (game::playerSlots[i].active != 0) {
                    replay::holdSteering(i, replay::steerWitch(i), held);
                }
            }
            replay::runFrame(held, false);
            ASSERT_TRUE(check()) << "frame " << f << ": " << violation.text;
            sawStars = sawStars || game::starCount > 0;
            sawOrbs = sawOrbs || game::orbCount > 0;
        }
        ASSERT_TRUE(check()) << violation.text;
    }

    bool check() {
        violation = Violation{};
        return replay::checkInvariants(memory, violation);
    }

    // Fails the check, naming `what` in its line; then the state is put back.
    template <typename T> void expectCaught(T& field, T bad, const char* what) {
        const T good = field;
        field = bad;
        EXPECT_FALSE(check()) << what;
        EXPECT_NE(std::string(violation.text).find(what), std::string::npos) << violation.text;
        field = good;
        EXPECT_TRUE(check()) << violation.text;
    }

    InvariantMemory memory;
    Violation violation;
    bool sawStars = false;
    bool sawOrbs = false;
};

TEST_F(InvariantsTest, PassesThroughARealGameAndCatchesWrongCountsAndColours) {
    EXPECT_TRUE(sawStars);
    EXPECT_TRUE(sawOrbs);
    expectCaught(game::starCount, game::starCount + 1, "starCount");
    expectCaught(game::orbCount, game::orbCount - 1, "orbCount");
    // A record switched on behind the count's back.
    int free = 0;
    while (game::stars[free].active != 0) {
        ++free;
    }
    expectCaught(game::stars[free].active, 1, "starCount");
    game::orbs[0] = game::Orb{10.0f, 10.0f, 1.0f, 1, 3};
    game::orbCount = 0;
    for (const game::Orb& o : game::orbs) {
        game::orbCount += o.active != 0 ? 1 : 0;
    }
    EXPECT_TRUE(check()) << violation.text;
    expectCaught(game::orbs[0].colour, 8, "colour");
    expectCaught(game::orbs[0].colour, -1, "colour");
}

TEST_F(InvariantsTest, StateTimersOutsideTheirRangesAreCaught) {
    game::Witch& w = game::witches[0];
    w.x = 100.0f;
    w.y = 100.0f;
    for (std::int32_t t : {-1, 250, 251, 499, 501, 1000}) {
        expectCaught(w.stateTimer, t, "stateTimer");
    }
    for (std::int32_t t : {0, 1, 100, 101, 249, 500}) {
        w.stateTimer = t;
        EXPECT_TRUE(check()) << t << ": " << violation.text;
    }
}

TEST_F(InvariantsTest, WitchesOutsideTheFieldOrMovingWhileStrickenAreCaught) {
    game::Witch& w = game::witches[1];
    w.stateTimer = game::TIMER_FLYING;
    w.x = 0.0f;
    w.y = 0.0f;
    EXPECT_TRUE(check()) << violation.text;
    w.x = 288.0f;
    w.y = 208.0f;
    EXPECT_TRUE(check()) << violation.text;
    expectCaught(w.x, std::nextafter(288.0f, 300.0f), "bounds");
    expectCaught(w.x, -0.01f, "bounds");
    expectCaught(w.y, 208.5f, "bounds");
    expectCaught(w.y, -1.0f, "bounds");
    for (std::int32_t t : {1, 100, 101, 249}) {
        w.stateTimer = t;
        expectCaught(w.x, 300.0f, "bounds");
    }
    // Out of play she is parked wherever she was; nobody looks.
    w.stateTimer = game::TIMER_OUT_OF_PLAY;
    w.x = -50.0f;
    w.y = 900.0f;
    EXPECT_TRUE(check()) << violation.text;

    // Stricken: the next frame finds her one step on and where she was.
    w = game::Witch{};
    w.x = 120.0f;
    w.y = 80.0f;
    w.stateTimer = 10;
    w.lives = 2;
    ASSERT_TRUE(check()) << violation.text;
    w.stateTimer = 11;
    EXPECT_TRUE(check()) << violation.text;
    w.stateTimer = 12;
    w.x = 121.0f;
    EXPECT_FALSE(check());
    EXPECT_NE(std::string(violation.text).find("stricken"), std::string::npos) << violation.text;
    // Coming back at her start place is no move while stricken.
    w.stateTimer = game::TIMER_RECOVERING;
    w.x = 200.0f;
    EXPECT_TRUE(check()) << violation.text;
}

TEST_F(InvariantsTest, NonFiniteFloatsAndZeroDivisorsAreCaught) {
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr float inf = std::numeric_limits<float>::infinity();
    for (game::Witch& w : game::witches) {
        for (float* f : {&w.x, &w.y, &w.vx, &w.vy, &w.acceleration, &w.friction}) {
            expectCaught(*f, nan, "float");
            expectCaught(*f, -inf, "float");
        }
    }
    // Free records too: their fields come back with the next spawn.
    game::Star& s = game::stars[game::STAR_CAPACITY - 1];
    for (float* f : {&s.x, &s.y, &s.speed}) {
        expectCaught(*f, nan, "float");
    }
    game::Orb& o = game::orbs[game::ORB_CAPACITY - 1];
    for (float* f : {&o.x, &o.y, &o.speed}) {
        expectCaught(*f, inf, "float");
    }

    for (std::int32_t state : {game::Play, game::Magic}) {
        game::gameState = state;
        expectCaught(game::starSpawnDivisor, 0, "divisor");
        expectCaught(game::orbSpawnDivisor, 0, "divisor");
        expectCaught(game::orbSpawnDivisor, -3, "divisor");
    }
    // Off the field the divisors are not used: program start has them at 0.
    game::starSpawnDivisor = 0;
    game::orbSpawnDivisor = 0;
    for (std::int32_t state : {game::Title, game::Setup, game::GameOver, game::Reset}) {
        game::gameState = state;
        EXPECT_TRUE(check()) << state << ": " << violation.text;
    }
    expectCaught(game::gameState, 6, "gameState");
    expectCaught(game::gameState, -1, "gameState");
    expectCaught(game::playerSlots[2].scheme, 4, "slot");
    expectCaught(game::playerSlots[0].character, 3, "slot");
}

} // namespace
