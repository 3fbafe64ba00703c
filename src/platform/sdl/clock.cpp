#include "platform/sdl/internal.h"

#include <ctime>

namespace platform {

std::uint32_t millisecondClock() {
    return SDL_GetTicks();
}

void sleepMilliseconds(std::uint32_t milliseconds) {
    SDL_Delay(milliseconds);
}

std::uint32_t calendarSeconds() {
    return static_cast<std::uint32_t>(std::time(nullptr));
}

} // namespace platform
