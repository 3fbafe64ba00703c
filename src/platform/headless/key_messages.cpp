// Key messages applied to the headless keyboard snapshot, as a real
// keyboard's messages would change it.
#include "platform/headless/headless.h"

namespace platform {

void pressKey(int virtualKey, bool repeat) {
    std::uint8_t& key = headless::keyboardState()[virtualKey & 0xFF];
    if (!repeat || (key & 0x80) == 0) {
        key = static_cast<std::uint8_t>((key | 0x80) ^ 0x01);
    }
}

void releaseKey(int virtualKey) {
    std::uint8_t& key = headless::keyboardState()[virtualKey & 0xFF];
    key = static_cast<std::uint8_t>(key & ~0x80);
}

void releaseAllKeys() {
    for (std::uint8_t& key : headless::keyboardState()) {
        key = static_cast<std::uint8_t>(key & ~0x80);
    }
}

} // namespace platform
