#include "platform/platform.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

// The fps overlay's first reading divides by the clock's whole count, so
// the clock counts from system start, not from the program's.
TEST(SdlClock, CountsMillisecondsSinceTheSystemStarted) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    if (now.tv_sec < 10) {
        GTEST_SKIP() << "the system started too recently to tell";
    }
    const auto expected =
        static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                                   static_cast<std::uint64_t>(now.tv_nsec) / 1000000u);
    EXPECT_LE(platform::millisecondClock() - expected, 50u) << "wrapping at 2^32";
}

} // namespace
