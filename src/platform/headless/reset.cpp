#include "platform/headless/headless.h"
#include "platform/headless/internal.h"

namespace headless {

void reset() {
    resetMessages();
    resetKeyboard();
    resetJoystick();
    resetPads();
    resetClock();
    resetWindow();
}

} // namespace headless
