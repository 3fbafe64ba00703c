#include "game/field.h"
#include "game/random.h"
#include "game/values.h"
#include "game/witch.h"
#include "support/game_frame.h"

#include <gtest/gtest.h>

namespace {

using namespace game;
using testsupport::BACKGROUND;

// The generator as the rules state it, to follow the game's draws.
struct Lcg {
    std::uint32_t seed;
    int next() {
        seed = seed * 214013u + 2531011u;
        return static_cast<int>(seed >> 16 & 0x7FFF);
    }
};

// The speed of k = 0 .. 29: the float nearest 1 + k / 10, but for two.
float speedFor(int k) {
    return k == 21 ? 3.1000001f : k == 26 ? 3.6000001f : static_cast<float>(1.0 + k / 10.0);
}

class FieldTest : public ::testing::Test {
  protected:
    testsupport::PaintedSheet sheet;
    testsupport::Framebuffer fb;

    void SetUp() override {
        testsupport::freshProgram();
        for (Witch& w : witches) {
            w = CharacterTable[0];
            w.stateTimer = 500;
        }
        // Seed 1 draws 41 first, which 32768 does not divide: no spawn.
        starSpawnDivisor = orbSpawnDivisor = 32768;
        seedRandom(1);
    }
    static void star(int i, float x, float y, float speed = 1.0f) {
        stars[i] = Star{x, y, speed, 1};
        ++starCount;
    }
    static void orb(int i, float x, float y, int colour = 5) {
        orbs[i] = Orb{x, y, 1.0f, 1, colour};
        ++orbCount;
    }
    static Witch& place(int i, float x, float y, int timer = 0) {
        witches[i].x = x, witches[i].y = y, witches[i].stateTimer = timer;
        return witches[i];
    }
    void frame() {
        fb.pixels.assign(fb.pixels.size(), BACKGROUND);
        updateStars(fb.data());
        updateOrbs(fb.data());
    }
};

TEST_F(FieldTest, SpawnsDrawChanceHeightSpeedAndColourInThatOrder) {
    starSpawnDivisor = orbSpawnDivisor = 1;
    seedRandom(777);
    Lcg ref{777};
    star(0, 50.0f, 10.0f);
    frame();
    ref.next();
    const int starY = ref.next() % 240, starK = ref.next() % 30;
    ref.next();
    const int orbY = ref.next() % 240, orbK = ref.next() % 30, colour = ref.next() % 8;
    EXPECT_EQ(randomSeed, ref.seed);
    // Into the lowest free record, moved in its spawn frame.
    EXPECT_EQ(starCount, 2);
    EXPECT_EQ(stars[1].y, static_cast<float>(starY));
    EXPECT_EQ(stars[1].speed, speedFor(starK));
    EXPECT_EQ(stars[1].x, stars[1].speed);
    EXPECT_EQ(orbCount, 1);
    EXPECT_EQ(orbs[0].y, static_cast<float>(orbY));
    EXPECT_EQ(orbs[0].speed, speedFor(orbK));
    EXPECT_EQ(orbs[0].colour, colour);

    // Full arrays draw nothing.
    for (int i = starCount; i < STAR_CAPACITY; ++i) {
        star(i, 0.0f, 100.0f, 0.0f);
    }
    for (int i = orbCount; i < ORB_CAPACITY; ++i) {
        orb(i, 0.0f, 100.0f);
        orbs[i].speed = 0.0f;
    }
    const std::uint32_t before = randomSeed;
    frame();
    EXPECT_EQ(randomSeed, before);

    // Every speed, from a seed whose third draw gives k.
    for (int k = 0; k < 30; ++k) {
        std::uint32_t seed = 0;
        while ((ref = Lcg{seed}, ref.next(), ref.next(), ref.next() % 30 != k)) {
            ++seed;
        }
        clearStars();
        seedRandom(seed);
        updateStars(fb.data());
        EXPECT_EQ(stars[0].speed, speedFor(k)) << k;
    }
}

TEST_F(FieldTest, ASpawnNeedsOneDrawDivisibleByTheDivisor) {
    starSpawnDivisor = 80;
    orbSpawnDivisor = 200;
    seedRandom(42);
    Lcg ref{42};
    int starSpawns = 0, orbSpawns = 0;
    for (int n = 0; n < 4000; ++n) {
        if (ref.next() % 80 == 0) {
            ref.next(), ref.next(), ++starSpawns;
        }
        if (ref.next() % 200 == 0) {
            ref.next(), ref.next(), ref.next(), ++orbSpawns;
        }
        frame();
        ASSERT_EQ(randomSeed, ref.seed) << "frame " << n;
    }
    EXPECT_GT(starSpawns, 20);
    EXPECT_GT(orbSpawns, 5);
}

TEST_F(FieldTest, StarsStrikeAndOrbsArePickedUpInsideOpenBoxesRoundTheCentres) {
    struct Case {
        float wx, wy;
        bool hit;
    };
    // Both land at (100, 100). A star: -8 < wx - 100 + 8 < 8 and
    // -10 < wy - 100 + 8 < 10; an orb: -12 < wx - 100 + 12 < 12 and
    // -14 < wy - 100 + 12 < 14.
    const Case strikes[] = {{99.5f, 100, true}, {100, 100, false},  {84.5f, 100, true},
                            {84, 100, false},   {92, 101.5f, true}, {92, 102, false},
                            {92, 82.5f, true},  {92, 82, false}};
    const Case pickups[] = {{99.5f, 100, true}, {100, 100, false},  {76.5f, 100, true},
                            {76, 100, false},   {90, 101.5f, true}, {90, 102, false},
                            {90, 74.5f, true},  {90, 74, false}};
    for (int n = 0; n < 8; ++n) {
        clearStars();
        star(3, 99.0f, 100.0f);
        place(0, strikes[n].wx, strikes[n].wy);
        place(1, 0.0f, 0.0f, 500);
        updateStars(fb.data());
        EXPECT_EQ(witches[0].stateTimer, strikes[n].hit ? 1 : 0) << n;
        EXPECT_EQ(starCount + stars[3].active, strikes[n].hit ? 0 : 2) << n;

        clearOrbs();
        orb(2, 99.0f, 100.0f);
        place(0, pickups[n].wx, pickups[n].wy, 500);
        place(1, pickups[n].wx, pickups[n].wy).orbCounts[5] = 0;
        score = 0;
        updateOrbs(fb.data());
        EXPECT_EQ(witches[1].orbCounts[5], pickups[n].hit ? 1 : 0) << n;
        EXPECT_EQ(score, pickups[n].hit ? 10 : 0) << n;
        EXPECT_EQ(orbCount + orbs[2].active, pickups[n].hit ? 0 : 2) << n;
    }
}

TEST_F(FieldTest, TheLowerWitchIndexGoesFirstAndHerStateDecides) {
    const struct {
        int timer0, timer1;
        int struck, picker; // which witch, -1 none
    } cases[] = {{0, 0, 0, 0},     {150, 0, 1, 0},    {50, 0, 1, 0},
                 {50, 500, -1, 0}, {500, 150, -1, 1}, {500, 500, -1, -1}};
    for (const auto& c : cases) {
        clearStars();
        clearOrbs();
        star(0, 99.0f, 100.0f);
        orb(0, 99.0f, 100.0f, 4);
        for (int i = 0; i < 2; ++i) {
            Witch& w = place(i, 92.0f, 92.0f, i == 0 ? c.timer0 : c.timer1);
            w.flashCount = 3;
            w.orbCounts[4] = 0;
        }
        score = 0;
        frame();
        for (int i = 0; i < 2; ++i) {
            const Witch& w = witches[i];
            EXPECT_EQ(w.stateTimer, c.struck == i ? 1 : i == 0 ? c.timer0 : c.timer1);
            EXPECT_EQ(w.orbCounts[4], c.picker == i ? 1 : 0) << c.timer0 << "/" << c.timer1;
            EXPECT_EQ(w.flashCount, c.picker == i ? 5 : 3);
        }
        EXPECT_EQ(starCount, c.struck < 0 ? 1 : 0);
        EXPECT_EQ(score, c.picker < 0 ? 0 : 10);
    }
}

TEST_F(FieldTest, PastTheRightEdgeObjectsAreRemovedAndDrawnOnceMore) {
    star(0, 303.0f, 50.0f);
    orb(0, 311.0f, 80.0f, 2);
    frame();
    EXPECT_EQ(starCount + orbCount, 2) << "at 304 and 312 they stay";
    frame();
    EXPECT_EQ(stars[0].active + orbs[0].active + starCount + orbCount, 0);
    EXPECT_EQ(fb.at(319, 65), testsupport::starColour(starAnimPhase));
    EXPECT_EQ(fb.at(313, 80), testsupport::orbColour(2));
    // A star that strikes is drawn at its last place too.
    star(1, 99.0f, 100.0f);
    place(2, 92.0f, 92.0f);
    frame();
    EXPECT_EQ(witches[2].stateTimer, 1);
    EXPECT_EQ(fb.at(100, 100), testsupport::starColour(starAnimPhase));
}

TEST_F(FieldTest, TheMagicSweepDriftsStarsOffHarmlessly) {
    star(0, 50.0f, 226.0f, 2.5f);
    star(1, 60.0f, 225.0f, 2.5f);
    star(2, 100.0f, 0.0f, 2.5f);
    star(3, 304.0f, 120.0f, 2.5f);
    star(4, 150.0f, 150.0f, 2.5f);
    place(0, 140.0f, 135.0f);
    const std::uint32_t seed = randomSeed;
    fb.pixels.assign(fb.pixels.size(), BACKGROUND);
    updateMagicStars(fb.data());
    const gfx::Pixel glow =
        testsupport::blended(testsupport::starColour(magicAnimPhase), BACKGROUND, 2);
    EXPECT_EQ(stars[0].active + stars[2].active + stars[3].active, 0);
    EXPECT_EQ(fb.at(51, 225), glow);
    EXPECT_EQ(fb.at(101, 0), glow);
    EXPECT_EQ(stars[1].y, 224.0f);
    EXPECT_EQ(stars[4].x + stars[4].y + stars[4].speed, 151.0f + 149.0f + 2.5f);
    EXPECT_EQ(starCount, 2);
    EXPECT_EQ(witches[0].stateTimer, 0) << "no strikes";
    EXPECT_EQ(randomSeed, seed) << "no spawns";
}

} // namespace
