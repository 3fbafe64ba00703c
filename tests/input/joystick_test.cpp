#include "game/flow.h"
#include "game/values.h"
#include "gfx/images.h"
#include "input/controls.h"
#include "input/joystick.h"
#include "input/keyboard.h"
#include "support/game_frame.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using namespace input;

constexpr int UP = 8, DOWN = 4, LEFT = 2, RIGHT = 1;

class JoystickInput : public ::testing::Test {
  protected:
    void SetUp() override { testsupport::freshProgram(); }
    static std::int32_t plug(std::uint32_t xMin, std::uint32_t xMax, std::uint32_t yMin = 0,
                             std::uint32_t yMax = 1000) {
        headless::joystick().deviceCount = 1;
        headless::joystick().caps = platform::JoystickCaps{xMin, xMax, yMin, yMax};
        return initJoystick();
    }
    static const ControlState& poll(int slot, std::uint32_t x, std::uint32_t y,
                                    std::uint32_t buttons = 0) {
        headless::joystick().position = platform::JoystickPosition{x, y, buttons};
        readControlState(slot, Joystick);
        return controlStates[slot];
    }
    // The direction bytes as bits; any value but 0xF0 or 0 shows as 16.
    static int directions(const ControlState& s) {
        int bits = 0;
        for (auto [byte, bit] :
             {std::pair{s.up, UP}, {s.down, DOWN}, {s.left, LEFT}, {s.right, RIGHT}}) {
            bits |= byte == 0xF0 ? bit : byte == 0 ? 0 : 16;
        }
        return bits;
    }
};

TEST_F(JoystickInput, DirectionsStartAtExactlyOneQuarterFromTheCentre) {
    // X 100 .. 1100: centre 500 (the minimum is not added), quarter 250.
    // Y 0 .. 2000: centre 1000, quarter 500.
    ASSERT_EQ(plug(100, 1100, 0, 2000), 1);
    const struct {
        std::uint32_t x, y;
        int expected;
    } cases[] = {{500, 1000, 0},    {749, 1000, 0},         {750, 1000, RIGHT},   {251, 1000, 0},
                 {250, 1000, LEFT}, {500, 1499, 0},         {500, 1500, DOWN},    {500, 501, 0},
                 {500, 500, UP},    {0, 2000, LEFT | DOWN}, {1100, 0, RIGHT | UP}};
    for (const auto& c : cases) {
        EXPECT_EQ(directions(poll(0, c.x, c.y)), c.expected) << c.x << "," << c.y;
    }
}

TEST_F(JoystickInput, ButtonsFollowTheEdgeRuleWithEachSlotsOwnHistory) {
    ASSERT_EQ(plug(0, 1000), 1);
    controlStates[1].maho = EDGE_HELD; // left by a keyboard scheme
    EXPECT_EQ(poll(0, 500, 500, 1).maho, EDGE_PRESSED);
    EXPECT_EQ(poll(1, 500, 500, 1).maho, EDGE_HELD);
    EXPECT_EQ(poll(0, 500, 500, 3).maho, EDGE_HELD);
    EXPECT_EQ(controlStates[0].second, EDGE_PRESSED);
    EXPECT_EQ(poll(0, 500, 500, 2).maho, EDGE_NONE);
    EXPECT_EQ(controlStates[0].second, EDGE_HELD);
    EXPECT_EQ(poll(1, 500, 500, 0).maho, EDGE_NONE);
    EXPECT_EQ(poll(1, 500, 500, 1).maho, EDGE_PRESSED);
    EXPECT_EQ(headless::joystickPositionReads(), 6 + 1) << "one read per poll, plus the test";
}

TEST_F(JoystickInput, DegenerateAxesFailedReadsAndNoStickCountAsCentred) {
    // No joystick: a stick slot is cleared whole, not left as a keyboard set it.
    controlStates[2] = ControlState{0x80, 0x81, 0x80, 0x80, EDGE_HELD, EDGE_PRESSED};
    const ControlState& none = poll(2, 1000, 1000, 3);
    EXPECT_EQ((std::array{none.up, none.down, none.left, none.right, none.maho, none.second}),
              (std::array<std::uint8_t, 6>{}));

    ASSERT_EQ(plug(0, 3), 1); // quarter range 0 on X
    EXPECT_EQ(directions(poll(0, 3, 1000)), DOWN);
    EXPECT_EQ(directions(poll(0, 0, 0)), UP);

    ASSERT_EQ(plug(0, 1000), 1);
    EXPECT_EQ(poll(0, 1000, 1000, 3).maho, EDGE_PRESSED);
    headless::joystick().positionResult = 0;
    const ControlState& failed = poll(0, 1000, 1000, 3);
    EXPECT_EQ(directions(failed), 0);
    EXPECT_EQ(failed.maho + failed.second, EDGE_NONE);
    headless::joystick().positionResult = 1;

    // Quarter -1 and a difference of INT_MIN: the quotient is +2^31.
    ASSERT_EQ(plug(4, 0), 1);
    ASSERT_EQ(quarterX, -1);
    EXPECT_EQ(directions(poll(0, centreX + 0x80000000u, 500)), RIGHT);
}

TEST_F(JoystickInput, GameInitPutsSlotZeroOnTheStickOnlyWhenOneAnswers) {
    const struct {
        std::uint32_t devices;
        int readResult;
        std::int32_t slot0;
    } cases[] = {{1, 1, Joystick}, {0, 1, Keyboard1}, {2, 0, Keyboard1}};
    for (const auto& c : cases) {
        testsupport::freshProgram();
        headless::joystick().deviceCount = c.devices;
        headless::joystick().caps = platform::JoystickCaps{0, 1000, 0, 1000};
        headless::joystick().positionResult = c.readResult;
        EXPECT_EQ(game::gameInit(platform::programModule()), 1);
        EXPECT_EQ(game::playerSlots[0].scheme, c.slot0) << c.devices << " " << c.readResult;
        EXPECT_EQ(game::playerSlots[1].scheme, Keyboard2);
        EXPECT_EQ(game::playerSlots[2].scheme, Keyboard3);
        gfx::releaseImages();
    }
}

// A joystick plugged in later is found and calibrated as at start; player 1
// takes it only while the game is on its title screen and none was there.
TEST_F(JoystickInput, APlugInGoesToPlayerOneOnlyOnTheTitleAndOnlyWhenNew) {
    game::gameState = game::Setup;
    headless::joystick().deviceCount = 1;
    headless::joystick().caps = platform::JoystickCaps{0, 65535, 0, 65535};
    game::redetectJoystick();
    EXPECT_EQ(input::joystickCount, 1);
    EXPECT_EQ(game::playerSlots[0].scheme, input::Keyboard1);
    game::gameState = game::Title;
    game::redetectJoystick(); // the same one again: not new
    EXPECT_EQ(game::playerSlots[0].scheme, input::Keyboard1);
    headless::joystick().deviceCount = 0;
    game::redetectJoystick();
    EXPECT_EQ(input::joystickCount, 0);
    headless::joystick().deviceCount = 1;
    game::redetectJoystick();
    EXPECT_EQ(game::playerSlots[0].scheme, input::Joystick);
}

} // namespace
