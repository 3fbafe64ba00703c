#include "platform/key_events.h"

#include <cstring>

namespace platform {
namespace {
bool pressed[KEY_COUNT];
bool released[KEY_COUNT];
bool shownDown[KEY_COUNT];
} // namespace

void noteKeyDown(int virtualKey) {
    pressed[virtualKey & 0xFF] = true;
}

void noteKeyUp(int virtualKey) {
    released[virtualKey & 0xFF] = true;
}

void applyKeyEvents(std::uint8_t (&keys)[KEY_COUNT]) {
    for (int k = 0; k < KEY_COUNT; ++k) {
        bool down = (keys[k] & 0x80) != 0;
        if (shownDown[k] && released[k]) {
            // The release first; a press after it waits for the next snapshot.
            down = false;
        } else if (pressed[k]) {
            down = true;
            pressed[k] = false;
        }
        released[k] = false;
        shownDown[k] = down;
        keys[k] = static_cast<std::uint8_t>((keys[k] & 0x7F) | (down ? 0x80 : 0x00));
    }
}

void forgetKeyEvents() {
    std::memset(pressed, 0, sizeof pressed);
    std::memset(released, 0, sizeof released);
    std::memset(shownDown, 0, sizeof shownDown);
}

} // namespace platform
