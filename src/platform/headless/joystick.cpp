#include "platform/headless/headless.h"
#include "platform/headless/internal.h"

namespace {
headless::JoystickScript script;
int positionReads = 0;
} // namespace

namespace platform {

std::uint32_t joystickDeviceCount() {
    return script.deviceCount;
}

int readJoystickCaps(JoystickCaps& caps) {
    caps = script.caps;
    return script.capsResult;
}

int readJoystickPosition(JoystickPosition& position) {
    ++positionReads;
    // A failed read leaves the caller's record as it was, as a driver would.
    if (script.positionResult == 0) {
        return 0;
    }
    position = script.position;
    return 1;
}

} // namespace platform

namespace headless {

JoystickScript& joystick() {
    return script;
}
int joystickPositionReads() {
    return positionReads;
}

void resetJoystick() {
    script = JoystickScript{};
    positionReads = 0;
}

} // namespace headless
