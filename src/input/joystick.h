// The joystick scheme: detection and calibration once, a poll per frame.
#pragma once

#include "input/controls.h"

#include <cstdint>

namespace input {

extern std::int32_t joystickCount; // 0: no usable joystick for the rest of the run
extern std::uint32_t axisXMin, axisXMax, axisYMin, axisYMax;
extern std::uint32_t centreX, centreY;  // half the range, minimum not added
extern std::int32_t quarterX, quarterY; // dead zone and unit of the direction test

// Finds the first joystick and derives its calibration. Returns
// joystickCount, or 0 when no joystick answers.
std::int32_t initJoystick();

// Turns the stick into the four direction bytes and buttons 1 and 2 into
// maho and second by the edge rule.
void pollJoystick(ControlState& state);

void resetJoystick();

} // namespace input
