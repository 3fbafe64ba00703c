#include "input/joystick.h"

#include "platform/platform.h"

namespace input {

std::int32_t joystickCount = 0;
std::uint32_t axisXMin = 0;
std::uint32_t axisXMax = 0;
std::uint32_t axisYMin = 0;
std::uint32_t axisYMax = 0;
std::uint32_t centreX = 0;
std::uint32_t centreY = 0;
std::int32_t quarterX = 0;
std::int32_t quarterY = 0;

namespace {

constexpr std::uint32_t JOY_BUTTON1 = 0x1;
constexpr std::uint32_t JOY_BUTTON2 = 0x2;

// How many quarter ranges the axis stands from its centre, by sign only.
// An axis whose quarter range is 0 (a range below 4) counts as centred; the
// division is done in 64 bits so that no difference can overflow it.
int axisSign(std::uint32_t position, std::uint32_t centre, std::int32_t quarter) {
    if (quarter == 0) {
        return 0;
    }
    const auto difference = static_cast<std::int32_t>(position - centre);
    const std::int64_t steps = static_cast<std::int64_t>(difference) / quarter;
    return steps > 0 ? 1 : steps < 0 ? -1 : 0;
}

std::uint8_t buttonEdge(bool down, std::uint8_t previous) {
    if (down && previous == 0) {
        return 0xF0;
    }
    return down ? 0x0F : 0x00;
}

} // namespace

std::int32_t initJoystick() {
    joystickCount = static_cast<std::int32_t>(platform::joystickDeviceCount());
    if (joystickCount == 0) {
        return 0;
    }
    platform::JoystickCaps caps{};
    platform::readJoystickCaps(caps);
    axisXMax = caps.xMax;
    axisXMin = caps.xMin;
    axisYMax = caps.yMax;
    axisYMin = caps.yMin;
    platform::JoystickPosition test{};
    if (platform::readJoystickPosition(test) == 0) {
        joystickCount = 0;
        return 0;
    }
    centreX = (axisXMax - axisXMin) >> 1;
    centreY = (axisYMax - axisYMin) >> 1;
    quarterX = static_cast<std::int32_t>(axisXMax - axisXMin) / 4;
    quarterY = static_cast<std::int32_t>(axisYMax - axisYMin) / 4;
    return joystickCount;
}

void pollJoystick(ControlState& state) {
    if (joystickCount < 1) {
        // Without a joystick the slot holds nothing, so no direction held in
        // an earlier keyboard game can stay stuck on it.
        state = ControlState{};
        return;
    }
    state.up = state.down = state.left = state.right = 0;
    platform::JoystickPosition position{};
    if (platform::readJoystickPosition(position) == 0) {
        position = platform::JoystickPosition{centreX, centreY, 0};
    }
    const int dx = axisSign(position.x, centreX, quarterX);
    const int dy = axisSign(position.y, centreY, quarterY);
    if (dx > 0) {
        state.right = 0xF0;
    }
    if (dx < 0) {
        state.left = 0xF0;
    }
    if (dy > 0) {
        state.down = 0xF0;
    }
    if (dy < 0) {
        state.up = 0xF0;
    }
    state.maho = buttonEdge((position.buttons & JOY_BUTTON1) != 0, state.maho);
    state.second = buttonEdge((position.buttons & JOY_BUTTON2) != 0, state.second);
}

void resetJoystick() {
    joystickCount = 0;
    axisXMin = axisXMax = axisYMin = axisYMax = 0;
    centreX = centreY = 0;
    quarterX = quarterY = 0;
}

} // namespace input
