// The keyboard snapshot, kept up to date from the key messages the loop takes.
#include "platform/sdl/internal.h"

#include <cstring>

namespace {
std::uint8_t keys[platform::KEY_COUNT];
}

namespace platform {

int getKeyboardState(std::uint8_t (&out)[KEY_COUNT]) {
    std::memcpy(out, keys, sizeof keys);
    return 1;
}

void pressKey(int virtualKey, bool repeat) {
    std::uint8_t& key = keys[virtualKey & 0xFF];
    if (!repeat || (key & 0x80) == 0) {
        key = static_cast<std::uint8_t>((key | 0x80) ^ 0x01);
    }
}

void releaseKey(int virtualKey) {
    std::uint8_t& key = keys[virtualKey & 0xFF];
    key = static_cast<std::uint8_t>(key & ~0x80);
}

void releaseAllKeys() {
    for (std::uint8_t& key : keys) {
        key = static_cast<std::uint8_t>(key & ~0x80);
    }
}

} // namespace platform
