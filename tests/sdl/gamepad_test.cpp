// The SDL program's controllers, with SDL's virtual joysticks standing in
// for real ones: pads through the GameController API, other devices raw,
// and devices that come and go while the game runs.
#include "game/values.h"
#include "input/controls.h"
#include "input/joystick.h"
#include "res/menu.h"
#include "shell/host.h"
#include "shell/window_procedure.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

int attach(SDL_JoystickType type, int axes, int buttons, const char* name) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = static_cast<Uint16>(type);
    desc.naxes = static_cast<Uint16>(axes);
    desc.nbuttons = static_cast<Uint16>(buttons);
    desc.name = name;
    return SDL_JoystickAttachVirtualEx(&desc);
}

int attachPad() {
    return attach(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                  SDL_CONTROLLER_BUTTON_MAX, "test pad");
}

// The virtual device's own handle, to move its sticks and press its buttons.
struct Device {
    SDL_Joystick* handle;
    explicit Device(int index) : handle(SDL_JoystickOpen(index)) {}
    ~Device() { SDL_JoystickClose(handle); }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;
    void axis(int a, Sint16 value) { SDL_JoystickSetVirtualAxis(handle, a, value); }
    void button(int b, bool down) { SDL_JoystickSetVirtualButton(handle, b, down ? 1 : 0); }
};

platform::JoystickPosition read() {
    platform::JoystickPosition position{};
    EXPECT_EQ(platform::readJoystickPosition(position), 1);
    return position;
}

class Controllers : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
        while (SDL_NumJoysticks() > 0) {
            SDL_JoystickDetachVirtual(0);
        }
        input::resetJoystick();
    }
    void TearDown() override {
        while (SDL_NumJoysticks() > 0) {
            SDL_JoystickDetachVirtual(0);
        }
        platform::JoystickPosition ignored{};
        platform::readJoystickPosition(ignored); // lets go of a device that is gone
    }
};

TEST_F(Controllers, APadSteersWithItsStickAndItsDpadAndItsSouthButtonIsButtonOne) {
    const int index = attachPad();
    ASSERT_GE(index, 0) << SDL_GetError();
    Device pad(index);
    ASSERT_EQ(input::initJoystick(), 1);
    EXPECT_EQ(input::centreX, 32767u);
    EXPECT_EQ(input::quarterX, 16383);

    platform::JoystickPosition at = read();
    EXPECT_EQ(at.x, 32768u) << "a resting stick";
    EXPECT_EQ(at.buttons, 0u);

    pad.axis(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    pad.axis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    pad.button(SDL_CONTROLLER_BUTTON_A, true);
    at = read();
    EXPECT_EQ(at.x, 65535u);
    EXPECT_EQ(at.y, 0u);
    EXPECT_EQ(at.buttons, 1u);

    // The D-pad puts its axis at the far end, whatever the stick says.
    pad.button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    pad.button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    pad.button(SDL_CONTROLLER_BUTTON_A, false);
    pad.button(SDL_CONTROLLER_BUTTON_B, true);
    at = read();
    EXPECT_EQ(at.x, 0u);
    EXPECT_EQ(at.y, 65535u);
    EXPECT_EQ(at.buttons, 2u);
}

TEST_F(Controllers, AnotherDeviceIsReadRawFromItsFirstAxesAndButtons) {
    const int index = attach(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 2, "test stick");
    ASSERT_GE(index, 0) << SDL_GetError();
    Device stick(index);
    ASSERT_EQ(input::initJoystick(), 1);
    stick.axis(0, -32768);
    stick.axis(1, 32767);
    stick.button(1, true);
    const platform::JoystickPosition at = read();
    EXPECT_EQ(at.x, 0u);
    EXPECT_EQ(at.y, 65535u);
    EXPECT_EQ(at.buttons, 2u);
}

TEST_F(Controllers, APulledOutPadReadsAsAFailedReadSoItsSlotRestsCentred) {
    const int index = attachPad();
    ASSERT_GE(index, 0);
    {
        Device pad(index);
        ASSERT_EQ(input::initJoystick(), 1);
        pad.button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
        pad.button(SDL_CONTROLLER_BUTTON_A, true);
        input::ControlState state{};
        input::pollJoystick(state);
        EXPECT_EQ(state.up, 0xF0);
        EXPECT_EQ(state.maho, 0xF0);
    }
    SDL_JoystickDetachVirtual(index);
    platform::JoystickPosition at{};
    EXPECT_EQ(platform::readJoystickPosition(at), 0);
    input::ControlState state{0xF0, 0, 0, 0, 0x0F, 0};
    input::pollJoystick(state);
    EXPECT_EQ(state.up, 0) << "no stuck direction";
    EXPECT_EQ(state.maho, 0) << "no stuck button";
}

// The whole program on SDL's dummy display: a pad plugged in after start is
// found and used from then on, and pulling it out leaves nothing held.
TEST(ControllersInTheProgram, APadPluggedInAfterStartIsUsedAndSlotZeroKeepsItsScheme) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(shell::startUp(platform::programModule()), 0);
    shell::runCommand(res::CMD_NO_WAIT);
    ASSERT_EQ(input::joystickCount, 0);
    const auto pump = [] {
        platform::Message message;
        for (int i = 0; i < 20; ++i) {
            shell::messageLoopStep(message);
        }
    };

    const int index = attachPad();
    ASSERT_GE(index, 0);
    pump();
    EXPECT_EQ(input::joystickCount, 1);
    EXPECT_EQ(game::playerSlots[0].scheme, input::Keyboard1) << "only a pad at start takes slot 0";

    {
        Device pad(index);
        pad.button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
        input::ControlState state{};
        input::pollJoystick(state);
        EXPECT_EQ(state.right, 0xF0);
    }
    SDL_JoystickDetachVirtual(index);
    pump();
    input::ControlState state{0, 0, 0, 0xF0, 0, 0};
    input::pollJoystick(state);
    EXPECT_EQ(state.right, 0);

    shell::destroyWindow();
    SDL_Quit();
}

} // namespace
