// A headless run of the game, frame by frame, through the host's own
// frame step on the headless platform: the window's frames less the sleep.
#pragma once

#include "gfx/pixel.h"

#include <cstdint>

namespace replay {

struct JoystickSetup {
    bool present = false;
    std::uint32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;
};

// Program start: the fake machine reset, the seed handed to the game in
// place of the clock, the joystick present or not, then the host's
// start-up. Returns false when the host could not start.
bool startSession(std::uint32_t seed, const JoystickSetup& joystick);

// One frame: the reset command if asked, the held keys pressed and
// released on the keyboard, then the host's frame step.
void runFrame(const bool (&held)[256], bool reset);

struct JoystickReading {
    std::uint32_t x, y, buttons;
};

// The joystick's reading from now on, and as it stands.
void setJoystickPosition(const JoystickReading& reading);
JoystickReading joystickPosition();

const gfx::Pixel* sessionFramebuffer();

} // namespace replay
