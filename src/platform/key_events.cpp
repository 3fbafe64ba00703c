#include "platform/key_events.h"

#include <cstring>

namespace platform {
namespace {
KeyEventMemory memory;
} // namespace

KeyEventMemory& keyEventMemory() {
    return memory;
}

void noteKeyDown(int virtualKey) {
    memory.pressed[virtualKey & 0xFF] = true;
    memory.noted = true;
}

void noteKeyUp(int virtualKey) {
    memory.released[virtualKey & 0xFF] = true;
    memory.noted = true;
}

void applyKeyEvents(std::uint8_t (&keys)[KEY_COUNT]) {
    // Most frames nothing was pressed or released since the last one: the
    // snapshot is then the keys' state as it stands.
    if (memory.noted) {
        memory.noted = false;
        for (int k = 0; k < KEY_COUNT; ++k) {
            bool down = (keys[k] & 0x80) != 0;
            if ((memory.lastShown[k] & 0x80) != 0 && memory.released[k]) {
                // The release first; a press after it waits for the next snapshot.
                down = false;
                memory.noted = memory.noted || memory.pressed[k];
            } else if (memory.pressed[k]) {
                down = true;
                memory.pressed[k] = false;
            }
            memory.released[k] = false;
            keys[k] = static_cast<std::uint8_t>((keys[k] & 0x7F) | (down ? 0x80 : 0x00));
        }
    }
    std::memcpy(memory.lastShown, keys, sizeof memory.lastShown);
}

void forgetKeyEvents() {
    memory = KeyEventMemory{};
}

} // namespace platform
