#include "platform/headless/headless.h"
#include "platform/headless/internal.h"
#include "platform/keyboard_snapshot.h"

#include <cstring>

namespace headless {

std::uint8_t (&keyboardState())[platform::KEY_COUNT] {
    return platform::keyboardSnapshot();
}

void resetKeyboard() {
    platform::clearKeyboard();
}

} // namespace headless
