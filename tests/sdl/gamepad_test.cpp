// The SDL program's controllers, with SDL's virtual joysticks standing in
// for real ones: pads through the GameController API, other devices raw,
// and devices that come and go while the game runs.
#include "game/values.h"
#include "input/joystick.h"
#include "res/menu.h"
#include "shell/host.h"
#include "shell/window_procedure.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// A virtual device and its own handle, to move its sticks and press its buttons.
struct Device {
    int index;
    SDL_Joystick* handle;
    explicit Device(bool pad) {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = pad ? SDL_JOYSTICK_TYPE_GAMECONTROLLER : SDL_JOYSTICK_TYPE_UNKNOWN;
        desc.naxes = pad ? SDL_CONTROLLER_AXIS_MAX : 2;
        desc.nbuttons = pad ? SDL_CONTROLLER_BUTTON_MAX : 2;
        desc.name = pad ? "test pad" : "test stick";
        index = SDL_JoystickAttachVirtualEx(&desc);
        handle = SDL_JoystickOpen(index);
    }
    ~Device() {
        unplug();
        SDL_JoystickClose(handle);
    }
    void unplug() {
        if (SDL_JoystickGetAttached(handle) == SDL_TRUE) {
            SDL_JoystickDetachVirtual(index);
        }
    }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;
    void set(int axisX, int axisY, std::initializer_list<int> held) {
        SDL_JoystickSetVirtualAxis(handle, 0, static_cast<Sint16>(axisX));
        SDL_JoystickSetVirtualAxis(handle, 1, static_cast<Sint16>(axisY));
        for (int b = 0; b < SDL_JoystickNumButtons(handle); ++b) {
            SDL_JoystickSetVirtualButton(handle, b, 0);
        }
        for (const int b : held) {
            SDL_JoystickSetVirtualButton(handle, b, 1);
        }
    }
};

struct Reading {
    int axisX, axisY;
    std::initializer_list<int> held;
    std::uint32_t x, y, buttons;
};

void expectReadings(bool pad, std::initializer_list<Reading> readings) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
    Device device(pad);
    ASSERT_GE(device.index, 0) << SDL_GetError();
    ASSERT_EQ(input::initJoystick(), 1);
    for (const Reading& r : readings) {
        device.set(r.axisX, r.axisY, r.held);
        platform::JoystickPosition at{};
        ASSERT_EQ(platform::readJoystickPosition(at), 1);
        EXPECT_EQ(at.x, r.x) << r.axisX;
        EXPECT_EQ(at.y, r.y) << r.axisY;
        EXPECT_EQ(at.buttons, r.buttons);
    }
}

TEST(Controllers, APadSteersWithItsStickOrItsDpadAndItsSouthButtonIsButtonOne) {
    expectReadings(true, {
                             {0, 0, {}, 32768, 32768, 0},
                             {32767, -32768, {SDL_CONTROLLER_BUTTON_A}, 65535, 0, 1},
                             // The D-pad puts its axis at the far end, whatever the stick says.
                             {32767,
                              -32768,
                              {SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_DOWN,
                               SDL_CONTROLLER_BUTTON_B},
                              0,
                              65535,
                              2},
                         });
}

TEST(Controllers, AnotherDeviceIsReadRawFromItsFirstAxesAndButtons) {
    expectReadings(false, {{-32768, 32767, {1}, 0, 65535, 2}});
}

// The whole program on SDL's dummy display: a pad plugged in after start is
// found and used from then on, and pulling it out leaves nothing held.
TEST(Controllers, APadPluggedInPastTheTitleIsUsedAndSlotZeroKeepsItsScheme) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(shell::startUp(platform::programModule()), 0);
    shell::runCommand(res::CMD_NO_WAIT);
    game::gameState = game::Setup; // on the title screen player 1 would take it
    ASSERT_EQ(input::joystickCount, 0);
    const auto pump = [] {
        platform::Message message;
        for (int i = 0; i < 20; ++i) {
            shell::messageLoopStep(message);
        }
    };
    input::ControlState state{};
    {
        Device pad(true);
        pump();
        EXPECT_EQ(input::joystickCount, 1);
        EXPECT_EQ(game::playerSlots[0].scheme, input::Keyboard1)
            << "only a pad found on the title takes it";
        pad.set(0, 0, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_CONTROLLER_BUTTON_A});
        input::pollJoystick(state);
        EXPECT_EQ(state.right, 0xF0);
        EXPECT_EQ(state.maho, 0xF0);
        pad.unplug();
    }
    pump();
    input::pollJoystick(state);
    EXPECT_EQ(state.right, 0) << "no stuck direction";
    EXPECT_EQ(state.maho, 0) << "no stuck button";
    shell::destroyWindow();
    SDL_Quit();
}

} // namespace
