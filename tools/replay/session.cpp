#include "session.h"

#include "game/flow.h"
#include "platform/headless/headless.h"
#include "platform/keyboard_snapshot.h"
#include "shell/host.h"
#include "shell/window_procedure.h"

namespace replay {

bool startSession(std::uint32_t seed, const JoystickSetup& joystick) {
    if (shell::windowAlive()) {
        shell::destroyWindow(); // a second session in one process starts afresh
    }
    headless::reset();
    shell::resetHost();
    game::resetToProgramStart();
    headless::setCalendarSeconds(seed);
    if (joystick.present) {
        headless::JoystickScript& stick = headless::joystick();
        stick.deviceCount = 1;
        stick.caps =
            platform::JoystickCaps{joystick.xMin, joystick.xMax, joystick.yMin, joystick.yMax};
        stick.position.x =
            static_cast<std::uint32_t>((std::uint64_t{joystick.xMin} + joystick.xMax) / 2);
        stick.position.y =
            static_cast<std::uint32_t>((std::uint64_t{joystick.yMin} + joystick.yMax) / 2);
        stick.position.buttons = 0;
    }
    return shell::startUp(platform::programModule()) == 0;
}

void runFrame(const bool (&held)[256], bool reset) {
    if (reset) {
        shell::runCommand(res::CMD_RESET);
    }
    // The keys reach the snapshot as the window's key messages would; the
    // window's own keys (Escape, F9, F11, F12) only show as held.
    const std::uint8_t(&keys)[platform::KEY_COUNT] = platform::keyboardSnapshot();
    for (int k = 0; k < platform::KEY_COUNT; ++k) {
        if (held[k] != ((keys[k] & 0x80) != 0)) {
            if (held[k]) {
                platform::pressKey(k, false);
            } else {
                platform::releaseKey(k);
            }
        }
    }
    shell::frameStep();
}

void setJoystickPosition(const JoystickReading& reading) {
    headless::joystick().position =
        platform::JoystickPosition{reading.x, reading.y, reading.buttons};
}

JoystickReading joystickPosition() {
    const platform::JoystickPosition& at = headless::joystick().position;
    return JoystickReading{at.x, at.y, at.buttons};
}

const gfx::Pixel* sessionFramebuffer() {
    return shell::surface.pixels;
}

} // namespace replay
