// The joystick: the first gamepad through the Gamepad API, its left stick
// and D-pad as the X and Y axes over 0..65535, its first (south) face
// button as button 1 and the next as button 2.
#include "platform/platform.h"

extern "C" {
// How many pads the browser shows.
int sorvi_pad_count();
// The first pad's x, y and buttons into `reading`; 0 when there is none.
int sorvi_read_pad(std::uint32_t* reading);
// Calls sorvi_pad_appeared whenever the browser shows a new pad.
void sorvi_watch_pads();
}

// A pad has appeared (browsers show one only once a button is pressed):
// the game hears of it as of any device plugged in.
extern "C" __attribute__((used)) void sorvi_pad_appeared() {
    platform::Message message;
    message.kind = platform::MessageKind::DeviceChange;
    platform::postMessage(message);
}

namespace {

bool watching = false;

void watch() {
    if (!watching) {
        watching = true;
        sorvi_watch_pads();
    }
}

} // namespace

namespace platform {

std::uint32_t joystickDeviceCount() {
    // Browsers show a pad only once one of its buttons is pressed, so the
    // page keeps looking after start-up.
    watch();
    const int count = sorvi_pad_count();
    return count > 0 ? static_cast<std::uint32_t>(count) : 0;
}

int readJoystickCaps(JoystickCaps& caps) {
    if (sorvi_pad_count() <= 0) {
        return 0;
    }
    caps = JoystickCaps{0, 65535, 0, 65535};
    return 1;
}

int readJoystickPosition(JoystickPosition& position) {
    std::uint32_t reading[3] = {0, 0, 0};
    if (sorvi_read_pad(reading) == 0) {
        return 0;
    }
    position = JoystickPosition{reading[0], reading[1], reading[2]};
    return 1;
}

} // namespace platform
