#include "platform/headless/headless.h"
#include "platform/headless/internal.h"

#include <cstring>

namespace {
std::uint8_t keys[platform::KEY_COUNT];
}

namespace platform {

int getKeyboardState(std::uint8_t (&out)[KEY_COUNT]) {
    std::memcpy(out, keys, sizeof keys);
    return 1;
}

} // namespace platform

namespace headless {

void setKeyboardState(const std::uint8_t (&state)[platform::KEY_COUNT]) {
    std::memcpy(keys, state, sizeof keys);
}

std::uint8_t (&keyboardState())[platform::KEY_COUNT] {
    return keys;
}

void resetKeyboard() {
    std::memset(keys, 0, sizeof keys);
}

} // namespace headless
