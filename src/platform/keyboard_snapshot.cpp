// The keyboard snapshot and how key messages change it; the same on every
// platform, only the source of the messages differs.
#include "platform/keyboard_snapshot.h"

#include <cstring>

namespace platform {
namespace {
std::uint8_t keys[KEY_COUNT];
}

std::uint8_t (&keyboardSnapshot())[KEY_COUNT] {
    return keys;
}

int getKeyboardState(std::uint8_t (&out)[KEY_COUNT]) {
    std::memcpy(out, keys, sizeof keys);
    return 1;
}

// A press sets bit 7 and flips the toggle bit; an auto-repeat of a key
// already down changes nothing.
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
