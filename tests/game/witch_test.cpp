#include "game/screens.h"
#include "game/values.h"
#include "game/witch.h"
#include "input/controls.h"
#include "support/game_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace {

using game::Witch;
using game::witches;
using gfx::Pixel;
using testsupport::BACKGROUND;
using testsupport::blended;
using testsupport::witchFrameColour;

enum Control { UP = 1, DOWN = 2, LEFT = 4, RIGHT = 8 };

class WitchTest : public ::testing::Test {
  protected:
    testsupport::PaintedSheet sheet;
    testsupport::Framebuffer fb;

    void SetUp() override { testsupport::freshProgram(); }
    static Witch& start(int i, int character) {
        witches[i] = game::CharacterTable[character];
        witches[i].y = static_cast<float>(135 - 32 * i);
        return witches[i];
    }
    static void hold(int i, int controls, std::uint8_t byte = 0x80) {
        auto on = [&](int bit) { return controls & bit ? byte : std::uint8_t{0}; };
        input::controlStates[i] = {on(UP), on(DOWN), on(LEFT), on(RIGHT), 0, 0};
    }
    // One update over a filled screen; the pixel drawn inside her sprite.
    Pixel update(int i) {
        fb.pixels.assign(fb.pixels.size(), BACKGROUND);
        game::updateWitch(fb.data(), i);
        return fb.at(static_cast<int>(witches[i].x) + 5, static_cast<int>(witches[i].y) + 5);
    }
};

// One assignment: evaluated in double, rounded to float once.
float plus(float a, double b) {
    return static_cast<float>(static_cast<double>(a) + b);
}
float slowed(float v) {
    return static_cast<float>(v * double{0.9f});
}

TEST_F(WitchTest, FlightRoundsEachAssignmentOnceAndDriftsOnlyThePosition) {
    Witch& w = start(0, 0);
    update(0);
    EXPECT_EQ(w.y, 134.9f);
    EXPECT_EQ(w.vy, 0.0f);
    hold(0, RIGHT);
    update(0);
    EXPECT_EQ(w.x, plus(200.0f, 0.35f));
    EXPECT_EQ(w.vx, 0.315f);

    // Every control, every character, bit for bit against the rule.
    const int pattern[] = {UP | RIGHT, 0, DOWN | LEFT, UP, DOWN | RIGHT, UP | DOWN};
    for (int ch = 0; ch < 3; ++ch) {
        const Witch& v = start(1, ch);
        const double a = std::array{0.35f, 0.3f, 0.4f}[ch];
        float x = v.x, y = v.y, vx = 0, vy = 0;
        for (int n = 0; n < 150; ++n) {
            const int c = pattern[n / 7 % 6];
            hold(1, c);
            update(1);
            vy = c & UP ? plus(vy, a) : vy;
            vy = c & DOWN ? plus(vy, -a) : vy;
            vx = c & LEFT ? plus(vx, -a) : vx;
            vx = c & RIGHT ? plus(vx, a) : vx;
            x = std::clamp(plus(x, vx), 0.0f, 288.0f);
            vx = slowed(vx);
            y = std::clamp(plus(y, vy - double{0.1f}), 0.0f, 208.0f);
            vy = slowed(vy);
            ASSERT_EQ(v.x, x) << "character " << ch << " update " << n;
            ASSERT_EQ(v.y, y) << "character " << ch << " update " << n;
            ASSERT_EQ(v.vx, vx);
            ASSERT_EQ(v.vy, vy);
            ASSERT_EQ(v.frame, 8 * ch + (c & DOWN ? 2 : c & UP ? 4 : 0) + v.animPhase);
        }
    }
}

TEST_F(WitchTest, ClampingHoldsThePositionButKeepsTheVelocity) {
    Witch& w = start(0, 0);
    w.x = 287.9f, w.vx = 3.0f;
    hold(0, 0);
    update(0);
    EXPECT_EQ(w.x, 288.0f);
    EXPECT_EQ(w.vx, slowed(3.0f));
    hold(0, LEFT);
    while (w.vx > 0.35f) {
        update(0);
        ASSERT_EQ(w.x, 288.0f) << "vx " << w.vx;
    }
    update(0);
    EXPECT_LT(w.x, 288.0f);
    w.x = 1.0f, w.vx = -3.0f, w.y = 207.0f, w.vy = 5.0f;
    update(0);
    EXPECT_EQ(w.x, 0.0f);
    EXPECT_EQ(w.y, 208.0f);
    EXPECT_EQ(w.vy, 4.5f);
    w.y = 0.05f, w.vy = 0.0f;
    update(0);
    EXPECT_EQ(w.y, 0.0f);

    // Only the upper four bits count: 0x01 is not held, 0x80 and 0x81 are.
    for (std::uint8_t byte : {0x01, 0x80, 0x81}) {
        w.vy = 0.0f;
        hold(0, UP, byte);
        update(0);
        EXPECT_EQ(w.vy, byte == 0x01 ? 0.0f : slowed(0.35f)) << int{byte};
    }
}

TEST_F(WitchTest, TheStateTimerDecidesMotionAndLooks) {
    Witch& w = start(1, 2);
    w.flashCount = 5;
    hold(1, UP | RIGHT);
    for (int n = 0; n < 6; ++n) { // doubled while the flash lasts
        const Pixel drawn = update(1);
        EXPECT_EQ(drawn, blended(witchFrameColour(w.frame), BACKGROUND, n < 5 ? 3 : 0)) << n;
    }
    // Stricken: frozen, skeleton and level frame alternating every fourth
    // update, added whatever the flash.
    w = game::CharacterTable[2];
    w.x = 40.0f, w.y = 60.0f, w.stateTimer = 1, w.flashCount = 3;
    const int frames[] = {34, 34, 34, 16, 16, 16, 16, 34};
    for (int n = 0; n < 8; ++n) {
        EXPECT_EQ(update(1), blended(witchFrameColour(frames[n]), BACKGROUND, 2)) << n;
        EXPECT_EQ(w.stateTimer, 2 + n);
    }
    EXPECT_EQ(w.flashCount, 0);
    EXPECT_EQ(w.x + w.y + w.vy, 100.0f);
    for (int n = 0; n < 91; ++n) {
        update(1);
    }
    EXPECT_EQ(w.stateTimer, 100) << "struck in frame N, 100 after frame N + 99";

    // Recovering: translucent over a flash, moving, flying again at 250.
    w.stateTimer = 101, w.flashCount = 2;
    const Pixel drawn = update(1);
    EXPECT_EQ(drawn, blended(witchFrameColour(w.frame), BACKGROUND, 1));
    EXPECT_EQ(w.flashCount, 1);
    EXPECT_GT(w.x, 40.0f);
    for (int n = 0; n < 147; ++n) {
        update(1);
    }
    EXPECT_EQ(w.stateTimer, 249);
    update(1);
    EXPECT_EQ(w.stateTimer, 0);

    // Out of play: neither drawn nor moved, though the counters run.
    w.stateTimer = 500, w.flashCount = 2, w.animCount = 1;
    const float x = w.x, y = w.y;
    update(1);
    EXPECT_EQ(fb.pixels, std::vector<Pixel>(fb.pixels.size(), BACKGROUND));
    EXPECT_EQ(w.x, x);
    EXPECT_EQ(w.y, y);
    EXPECT_EQ(w.flashCount + w.animCount, 1 + 2);
}

TEST_F(WitchTest, RespawnPassSpendsALifeAtTheEndOfTheStrickenPhase) {
    game::playerSlots[1] = {1, 2, 1};
    for (int i = 0; i < 3; ++i) {
        Witch& w = start(i, game::playerSlots[i].character);
        w.x = 17.0f, w.y = 19.0f, w.vx = 1.5f, w.vy = -2.0f, w.stateTimer = 100;
    }
    witches[0].lives = 1;
    witches[2].lives = 0;
    game::respawnPass();
    // Lives, timer, x, y, vx, vy: the last life is spent and the witch
    // retired in one pass; one without lives is only held out of play.
    const std::array<float, 6> expected[] = {
        {0, 500, 200, 135, 0, 0}, {2, 101, 200, 103, 0, 0}, {0, 500, 17, 19, 1.5f, -2}};
    for (int i = 0; i < 3; ++i) {
        const Witch& w = witches[i];
        EXPECT_EQ((std::array{static_cast<float>(w.lives), static_cast<float>(w.stateTimer), w.x,
                              w.y, w.vx, w.vy}),
                  expected[i])
            << i;
    }
    witches[1].stateTimer = 99;
    game::respawnPass();
    EXPECT_EQ(witches[1].stateTimer, 99) << "only exactly 100 respawns";
    EXPECT_EQ(game::livesTotal(), 2);
}

} // namespace
