// The frontend's controllers are the players' pads; there is no joystick.
#include "platform/platform.h"

namespace platform {

std::uint32_t joystickDeviceCount() {
    return 0;
}

int readJoystickCaps(JoystickCaps&) {
    return 0;
}

int readJoystickPosition(JoystickPosition&) {
    return 0;
}

} // namespace platform
