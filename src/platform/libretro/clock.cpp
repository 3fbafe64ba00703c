// Time on the frontend's frames: each frame is 1000/30 ms, counted from the
// game's start, so that no reading depends on when the frames ran.
#include "platform/libretro/internal.h"
#include "platform/platform.h"

#include <ctime>

namespace retroplatform {
namespace {
std::uint64_t frames = 0;
}

std::uint64_t frameCount() {
    return frames;
}
void setFrameCount(std::uint64_t count) {
    frames = count;
}
void countFrame() {
    ++frames;
}

} // namespace retroplatform

namespace platform {

std::uint32_t millisecondClock() {
    return static_cast<std::uint32_t>(retroplatform::frameCount() * 1000 / 30);
}

// The frontend paces the frames.
void sleepMilliseconds(std::uint32_t) {}

std::uint32_t calendarSeconds() {
    return static_cast<std::uint32_t>(std::time(nullptr));
}

} // namespace platform
