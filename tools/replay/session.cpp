#include "session.h"

#include "game/flow.h"
#include "gfx/images.h"
#include "gfx/surface.h"
#include "gfx/text.h"
#include "platform/headless/headless.h"

#include <cstring>

namespace replay {
namespace {

gfx::Pixel framebuffer[gfx::FRAME_PIXELS];
gfx::DrawingContext context = gfx::makeDrawingContext(framebuffer);
gfx::FramebufferSurface surface{framebuffer, nullptr, &context, nullptr};
bool wasHeld[256];

// The keyboard snapshot as the window builds it: bit 7 while held, bit 0
// flipping each time a key goes down.
void applyKeys(const bool (&held)[256]) {
    std::uint8_t(&keys)[platform::KEY_COUNT] = headless::keyboardState();
    for (int k = 0; k < 256; ++k) {
        std::uint8_t toggle = keys[k] & 0x01;
        if (held[k] && !wasHeld[k]) {
            toggle ^= 0x01;
        }
        keys[k] = static_cast<std::uint8_t>((held[k] ? 0x80 : 0x00) | toggle);
        wasHeld[k] = held[k];
    }
}

} // namespace

void startSession(std::uint32_t seed, const JoystickSetup& joystick) {
    gfx::releaseImages(); // a second session in one process loads them afresh
    headless::reset();
    game::resetToProgramStart();
    std::memset(wasHeld, 0, sizeof wasHeld);
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
    context = gfx::makeDrawingContext(framebuffer);
    game::gameInit(platform::programModule());
    gfx::setTransparentBackground(context);
}

void runFrame(const bool (&held)[256], bool reset) {
    if (reset) {
        game::requestReset();
    }
    std::memset(framebuffer, 0, sizeof framebuffer);
    applyKeys(held);
    game::gameFrame(surface);
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
    return framebuffer;
}

} // namespace replay
