// Time on the page: performance.now() in whole milliseconds, wrapping as
// a 32-bit clock does.
#include "platform/platform.h"

#include <emscripten/emscripten.h>

#include <ctime>

namespace platform {

std::uint32_t millisecondClock() {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(emscripten_get_now()));
}

// A page cannot sleep without freezing itself. Nothing here asks it to:
// the frame driver turns the time a frame step asks to wait into the
// animation frame at which the next one is due.
void sleepMilliseconds(std::uint32_t) {}

std::uint32_t calendarSeconds() {
    return static_cast<std::uint32_t>(std::time(nullptr));
}

} // namespace platform
