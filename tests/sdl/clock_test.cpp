#include "platform/platform.h"

#include <gtest/gtest.h>

#include <ctime>
#include <fstream>

namespace {

// The fps overlay's first reading divides by the clock's whole count, so
// the clock must count from system start, not from the program's.
TEST(SdlClock, CountsMillisecondsSinceTheSystemStarted) {
    double uptime = 0.0;
    std::ifstream("/proc/uptime") >> uptime;
    if (uptime < 10.0) {
        GTEST_SKIP() << "the system started too recently to tell";
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto expected =
        static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                                   static_cast<std::uint64_t>(now.tv_nsec) / 1000000u);
    const std::uint32_t first = platform::millisecondClock();
    EXPECT_LE(first - expected, 50u) << "whole milliseconds since start, wrapping at 2^32";
    EXPECT_GT(first, 5000u) << "not counted from this program's start";
    platform::sleepMilliseconds(20);
    const std::uint32_t later = platform::millisecondClock();
    EXPECT_GE(later - first, 19u);
    EXPECT_LT(later - first, 1000u);
}

} // namespace
