#include "game/screens.h"
#include "game/values.h"
#include "input/controls.h"
#include "input/keyboard.h"
#include "input/pads.h"
#include "support/game_frame.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using namespace input;
using enum platform::VirtualKey;

class PadInput : public ::testing::Test {
  protected:
    testsupport::Screen screen;

    void SetUp() override { testsupport::freshProgram(); }
    static platform::PadState& pad(int port) { return headless::pads()[port]; }
    // One frame with `buttons` held on `port`, then one with nothing.
    void tap(int port, std::uint16_t buttons) {
        pad(port).buttons = buttons;
        screen.frame();
        pad(port).buttons = 0;
        screen.frame();
    }
};

TEST_F(PadInput, AnyPadWorksTheMenusAsTheMenuKeys) {
    tap(2, platform::PAD_DOWN);
    EXPECT_EQ(game::cursor, 1);
    // Start held on one pad while another presses it: one screen on, as
    // with one key.
    pad(0).buttons = platform::PAD_START;
    screen.frame();
    pad(1).buttons = platform::PAD_START;
    screen.frame();
    ASSERT_EQ(game::gameState, game::Setup);
    EXPECT_EQ(game::cursor, 0);
    pad(0).buttons = pad(1).buttons = 0;
    screen.frame();

    tap(0, platform::PAD_DOWN);
    tap(2, platform::PAD_SELECT);
    tap(1, platform::PAD_WEST);
    tap(0, platform::PAD_RIGHT);
    EXPECT_EQ(game::playerSlots[1].active, 1);
    EXPECT_EQ(game::playerSlots[1].character, 2);
    EXPECT_EQ(game::playerSlots[1].scheme, 2);
    // Maho buttons and the north button are no menu keys.
    tap(0, platform::PAD_SOUTH | platform::PAD_EAST | platform::PAD_NORTH);
    EXPECT_EQ(game::gameState, game::Setup);
    EXPECT_EQ(game::playerSlots[1].character, 2);

    // The stick counts from a quarter of its range on.
    pad(2).stickY = STICK_PUSH - 1;
    screen.frame();
    EXPECT_EQ(game::cursor, 1);
    pad(2).stickY = STICK_PUSH;
    screen.frame();
    EXPECT_EQ(game::cursor, 2);
    pad(2).stickY = -STICK_PUSH;
    screen.frame();
    EXPECT_EQ(game::cursor, 1) << "from down to up in one frame";
    pad(2).stickY = 0;

    tap(1, platform::PAD_START);
    EXPECT_EQ(game::gameState, game::Play);
}

TEST_F(PadInput, InPlayEachPadAddsToItsOwnPlayersControlsWhateverHerScheme) {
    game::playerSlots[1].scheme = Joystick; // no joystick here: nothing from the scheme
    game::startGame();
    headless::keyboardState()[KEY_LEFT] = 0x81;
    pad(1).buttons = platform::PAD_UP | platform::PAD_SOUTH;
    pad(2).stickX = -32768;
    pad(2).stickY = STICK_PUSH - 1;
    screen.frame();
    using Bytes = std::array<std::uint8_t, 5>;
    const auto bytes = [](int slot) {
        const ControlState& s = controlStates[slot];
        return Bytes{s.up, s.down, s.left, s.right, s.maho};
    };
    EXPECT_EQ(bytes(0), (Bytes{0, 0, 0x81, 0, 0}));
    EXPECT_EQ(bytes(1), (Bytes{0xF0, 0, 0, 0, EDGE_PRESSED}));
    EXPECT_EQ(bytes(2), (Bytes{0, 0, 0xF0, 0, 0}));

    // Maho by the edge rule on either button; a new press on the pad counts
    // while the scheme's key is held, and the other way round.
    pad(1).buttons = platform::PAD_EAST;
    screen.frame();
    EXPECT_EQ(controlStates[1].maho, EDGE_HELD);
    pad(1).buttons = 0;
    screen.frame();
    EXPECT_EQ(controlStates[1].maho, EDGE_NONE);
    headless::keyboardState()[KEY_RETURN] = 0x80;
    screen.frame();
    pad(0).buttons = platform::PAD_SOUTH;
    screen.frame();
    EXPECT_EQ(controlStates[0].maho, EDGE_PRESSED);
    headless::keyboardState()[KEY_RETURN] = 0x00;
    screen.frame();
    headless::keyboardState()[KEY_RETURN] = 0x81;
    screen.frame();
    EXPECT_EQ(controlStates[0].maho, EDGE_PRESSED);
}

} // namespace
