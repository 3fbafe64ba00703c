#include "platform/key_events.h"

#include <cstring>

namespace platform {
namespace {
bool pressed[KEY_COUNT];
bool released[KEY_COUNT];
bool noted = false; // any of the two since the last snapshot
// The last snapshot given out: which keys it showed down.
std::uint8_t lastShown[KEY_COUNT];
} // namespace

void noteKeyDown(int virtualKey) {
    pressed[virtualKey & 0xFF] = true;
    noted = true;
}

void noteKeyUp(int virtualKey) {
    released[virtualKey & 0xFF] = true;
    noted = true;
}

void applyKeyEvents(std::uint8_t (&keys)[KEY_COUNT]) {
    // Most frames nothing was pressed or released since the last one: the
    // snapshot is then the keys' state as it stands.
    if (noted) {
        noted = false;
        for (int k = 0; k < KEY_COUNT; ++k) {
            bool down = (keys[k] & 0x80) != 0;
            if ((lastShown[k] & 0x80) != 0 && released[k]) {
                // The release first; a press after it waits for the next snapshot.
                down = false;
                noted = noted || pressed[k];
            } else if (pressed[k]) {
                down = true;
                pressed[k] = false;
            }
            released[k] = false;
            keys[k] = static_cast<std::uint8_t>((keys[k] & 0x7F) | (down ? 0x80 : 0x00));
        }
    }
    std::memcpy(lastShown, keys, sizeof lastShown);
}

void forgetKeyEvents() {
    std::memset(pressed, 0, sizeof pressed);
    std::memset(released, 0, sizeof released);
    std::memset(lastShown, 0, sizeof lastShown);
    noted = false;
}

} // namespace platform
