#include "platform/sdl/internal.h"

#include <ctime>

namespace platform {

// Milliseconds since the system started, as the fps overlay's first reading
// and the pacing expect; the 32-bit count wraps about every 49.7 days.
std::uint32_t millisecondClock() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto milliseconds = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                              static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(milliseconds);
}

void sleepMilliseconds(std::uint32_t milliseconds) {
    SDL_Delay(milliseconds);
}

std::uint32_t calendarSeconds() {
    return static_cast<std::uint32_t>(std::time(nullptr));
}

} // namespace platform
