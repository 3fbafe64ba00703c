#include "platform/platform.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>

namespace {

// Differences of the wrapping clock as the frame pacing takes them: a step
// back shows as a negative one.
std::int32_t since(std::uint32_t earlier, std::uint32_t later) {
    return static_cast<std::int32_t>(later - earlier);
}

// The pacing and the fps overlay take differences of readings: a clock
// that steps back would make a frame wait far too long. Readings over more
// than a second, so they pass a whole second of the system's own count.
TEST(SdlClock, NeverGoesBackwards) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(1100);
    std::uint32_t previous = platform::millisecondClock();
    while (std::chrono::steady_clock::now() < end) {
        const std::uint32_t now = platform::millisecondClock();
        ASSERT_GE(since(previous, now), 0) << "from " << previous << " back to " << now;
        previous = now;
    }
}

// A frame sleeps the rest of its 30 ms; the clock must count that sleep.
// The upper bound is generous: a loaded machine wakes a sleeper late.
TEST(SdlClock, AdvancesAcrossASleepByAboutTheSleep) {
    for (const std::uint32_t sleep : {30u, 200u}) {
        const std::uint32_t before = platform::millisecondClock();
        platform::sleepMilliseconds(sleep);
        const std::int32_t slept = since(before, platform::millisecondClock());
        // Whole milliseconds on both sides: the count may show one less.
        EXPECT_GE(slept, static_cast<std::int32_t>(sleep) - 1) << "sleeping " << sleep << " ms";
        EXPECT_LE(slept, static_cast<std::int32_t>(sleep) + 1000) << "sleeping " << sleep << " ms";
    }
}

} // namespace
