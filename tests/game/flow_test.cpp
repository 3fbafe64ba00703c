#include "game/field.h"
#include "game/random.h"
#include "game/screens.h"
#include "game/values.h"
#include "game/witch.h"
#include "input/controls.h"
#include "input/keyboard.h"
#include "support/game_frame.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

namespace {

using namespace game;
using namespace input;
using enum platform::VirtualKey;
using testsupport::keyDown;
using testsupport::keyUp;

class FlowTest : public ::testing::Test {
  protected:
    testsupport::PaintedSheet sheet;
    testsupport::Screen screen;

    void SetUp() override { testsupport::freshProgram(); }
    void tap(int key) { testsupport::tap(screen, key); }
    // Title, setup and the press that starts the game; no Play frame yet.
    void startFromTitle() {
        tap(KEY_RETURN);
        keyDown(KEY_RETURN);
        screen.frame();
        keyUp(KEY_RETURN);
        ASSERT_EQ(gameState, Play);
    }
    // Slot 0 (Keyboard1) spends a full orb set with a new press of Enter.
    void cast() {
        for (std::int32_t& count : witches[0].orbCounts) {
            count = 1;
        }
        screen.frame();
        keyDown(KEY_RETURN);
        screen.frame();
        keyUp(KEY_RETURN);
        ASSERT_EQ(gameState, Magic);
    }
    int magicLength() {
        int frames = 0;
        for (; gameState == Magic && frames < 1000; ++frames) {
            screen.frame();
        }
        return frames;
    }
    gfx::Pixel at(int c, int r) { return screen.fb.at(c, r); }
};

TEST_F(FlowTest, TitleKeysWrapAndEnterOpensSetupOnSlotZero) {
    screen.frame();
    EXPECT_EQ(at(116, 64), testsupport::MENU_CURSOR_COLOUR);
    for (auto [key, expected] :
         {std::pair{KEY_UP, 1}, {KEY_UP, 0}, {KEY_DOWN, 1}, {KEY_DOWN, 0}, {KEY_DOWN, 1}}) {
        tap(key);
        EXPECT_EQ(cursor, expected);
    }
    EXPECT_EQ(at(116, 44), testsupport::MENU_CURSOR_COLOUR);
    tap(KEY_RETURN);
    EXPECT_EQ(gameState, game::Setup);
    EXPECT_EQ(cursor, 0) << "Mode2 leads to the same setup screen";
    // Enter with an arrow in one frame: the arrow moves the cursor Enter set.
    for (int arrow : {KEY_UP, KEY_DOWN}) {
        testsupport::freshProgram();
        keyDown(KEY_RETURN);
        keyDown(arrow);
        screen.frame();
        EXPECT_EQ(gameState, game::Setup);
        EXPECT_EQ(cursor, 1) << arrow;
    }
}

TEST_F(FlowTest, SetupKeysEditTheSelectedSlotAndWrap) {
    tap(KEY_RETURN);
    // A key, then the cursor and its slot's active, character and scheme.
    const std::array<int, 5> steps[] = {
        {KEY_UP, 2, 0, 2, 2},    {KEY_DOWN, 0, 1, 0, 0},  {KEY_LEFT, 0, 1, 0, 3},
        {KEY_RIGHT, 0, 1, 0, 0}, {KEY_SPACE, 0, 1, 1, 0}, {KEY_SPACE, 0, 1, 2, 0},
        {KEY_SPACE, 0, 1, 0, 0}, {KEY_SHIFT, 0, 0, 0, 0}, {KEY_DOWN, 1, 0, 1, 1},
        {KEY_SHIFT, 1, 1, 1, 1}, {KEY_RIGHT, 1, 1, 1, 2}, {KEY_UP, 0, 0, 0, 0}};
    for (const std::array<int, 5>& step : steps) {
        tap(step[0]);
        const PlayerSlot& slot = playerSlots[cursor];
        EXPECT_EQ((std::array{step[0], cursor, slot.active, slot.character, slot.scheme}), step);
    }
    EXPECT_EQ(at(71, 136), testsupport::blended(testsupport::witchFrameColour(0), 0, 1))
        << "an inactive slot's portrait is translucent";
    EXPECT_EQ(at(71, 104), testsupport::witchFrameColour(8));
}

TEST_F(FlowTest, OneHeldEnterMovesOneScreenAndTheGameStartsFromTheTemplates) {
    playerSlots[2] = {1, 2, 2};
    score = 30;
    starCount = 1, stars[4].active = 1, orbCount = 1, orbs[2].active = 1;
    witches[2].orbCounts[3] = 4;
    keyDown(KEY_RETURN);
    screen.frames(5);
    EXPECT_EQ(gameState, game::Setup);
    keyUp(KEY_RETURN);
    screen.frame();
    keyDown(KEY_RETURN);
    screen.frame();
    ASSERT_EQ(gameState, Play);
    EXPECT_EQ(starSpawnDivisor, 80);
    EXPECT_EQ(orbSpawnDivisor, 200);
    EXPECT_EQ(score, 30);
    EXPECT_EQ(starCount + orbCount + stars[4].active + orbs[2].active, 0);
    for (int i = 0; i < 3; ++i) {
        const Witch& w = witches[i];
        EXPECT_EQ(w.acceleration, CharacterTable[playerSlots[i].character].acceleration);
        EXPECT_EQ(w.x, 200.0f);
        EXPECT_EQ(w.y, 135.0f - 32 * i);
        EXPECT_EQ(w.stateTimer, i == 1 ? 500 : 0);
        EXPECT_EQ(w.lives, i == 1 ? 0 : 3);
        EXPECT_EQ(w.orbCounts[3], 0);
    }
    screen.frame();
    EXPECT_EQ(controlStates[0].maho, EDGE_HELD) << "no magic from the press that started";
}

TEST_F(FlowTest, TheStarDivisorStepsEveryHundredPlayFramesSinceProgramStart) {
    startFromTitle();
    screen.frames(99);
    EXPECT_EQ(starSpawnDivisor, 80);
    screen.frame();
    EXPECT_EQ(starSpawnDivisor, 79);
    gameState = Magic;
    screen.frames(5);
    gameState = Play;
    screen.frames(30);
    EXPECT_EQ(playFrameCount, 130) << "magic frames do not count";
    requestReset();
    screen.frame();
    startFromTitle();
    screen.frames(69);
    EXPECT_EQ(starSpawnDivisor, 80);
    screen.frame();
    EXPECT_EQ(starSpawnDivisor, 79) << "the count runs on across games";
    starSpawnDivisor = 2;
    playFrameCount = 399;
    screen.frames(101);
    EXPECT_EQ(starSpawnDivisor, 1);
}

TEST_F(FlowTest, AMagicPhaseLastsFourHundredFramesAndItsCountOutlivesTheGame) {
    startFromTitle();
    stars[0] = Star{100.0f, 30.0f, 1.0f, 1};
    starCount = 1;
    cast();
    for (int n = 0; n < 399; ++n) {
        screen.frame();
        ASSERT_LE(starCount, 1) << "no star spawns during magic";
    }
    EXPECT_EQ(stars[0].active, 0) << "swept away";
    EXPECT_EQ(gameState, Magic);
    screen.frame();
    EXPECT_EQ(gameState, Play);
    EXPECT_EQ(magicFrameCount, 0);

    // The last life runs out in the 11th frame of the next phase.
    cast();
    screen.frames(10);
    witches[0].lives = 1;
    witches[0].stateTimer = 99;
    score = 70;
    hiscore = 50;
    screen.frame();
    EXPECT_EQ(gameState, Play);
    EXPECT_EQ(hiscore, 70);
    screen.frame();
    EXPECT_EQ(gameState, GameOver);
    tap(KEY_RETURN);
    startFromTitle();
    cast();
    EXPECT_EQ(magicLength(), 400 - 11);
}

TEST_F(FlowTest, TheGameEndsWhenNoLivesAreLeftAndKeepsTheBestScore) {
    startFromTitle();
    score = 300;
    hiscore = 200;
    screen.frame();
    EXPECT_EQ(hiscore, 200) << "not while playing";
    // The third stricken phase ends: out, and game over, in one frame.
    // Enter goes down in it and is still held on the next screen.
    witches[0].lives = 1;
    witches[0].stateTimer = 99;
    keyDown(KEY_RETURN);
    screen.frame();
    EXPECT_EQ(witches[0].stateTimer, 500);
    EXPECT_EQ(gameState, GameOver);
    EXPECT_EQ(hiscore, 300);
    screen.fb.pixels.assign(screen.fb.pixels.size(), testsupport::BACKGROUND);
    screen.frame();
    EXPECT_EQ(gameState, GameOver);
    EXPECT_EQ(at(0, 0), 0u) << "a black screen";
    keyUp(KEY_RETURN);
    screen.frame();
    tap(KEY_RETURN);
    EXPECT_EQ(gameState, Title);
    EXPECT_EQ(score, 0);
}

TEST_F(FlowTest, AResetInAnyStateReturnsToTheTitleChangingOnlyCursorAndMagicCount) {
    for (std::int32_t state : {Title, game::Setup, Play, GameOver, Magic, Reset}) {
        testsupport::freshProgram();
        startGame();
        gameState = state;
        cursor = 1, magicFrameCount = 7, score = 30, hiscore = 40, playFrameCount = 5;
        stars[3] = Star{20.0f, 30.0f, 2.0f, 1};
        starCount = 1;
        seedRandom(99);
        keyDown(KEY_RETURN);
        const std::vector<std::uint8_t> edges(KeyEdgeTable, KeyEdgeTable + 256);
        const Witch witch = witches[0];
        requestReset();
        EXPECT_EQ(gameState, Reset);
        screen.fb.pixels.assign(screen.fb.pixels.size(), testsupport::BACKGROUND);
        screen.frame();
        EXPECT_EQ(gameState, Title) << state;
        EXPECT_EQ(cursor + magicFrameCount, 0);
        EXPECT_EQ(KeyboardState[KEY_RETURN] & 0x80, 0x80) << "the snapshot is taken";
        EXPECT_EQ(std::vector<std::uint8_t>(KeyEdgeTable, KeyEdgeTable + 256), edges);
        EXPECT_EQ(screen.fb.pixels,
                  std::vector<gfx::Pixel>(screen.fb.pixels.size(), testsupport::BACKGROUND));
        EXPECT_EQ(score + hiscore + playFrameCount + starSpawnDivisor, 30 + 40 + 5 + 80);
        EXPECT_EQ(stars[3].x + static_cast<float>(starCount), 21.0f);
        EXPECT_EQ(std::memcmp(&witches[0], &witch, sizeof witch), 0);
        EXPECT_EQ(randomSeed, 99u);
    }
}

} // namespace
