#include "shell/icon.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

std::vector<std::uint8_t> fourBitIcon(int height) {
    std::vector<std::uint8_t> b(40 + 16 * 4 + 16 * 32 + (height == 64 ? 4 * 32 : 0), 0);
    b[0] = 40;
    b[4] = 32;
    b[8] = static_cast<std::uint8_t>(height);
    b[12] = 1;
    b[14] = 4;
    b[40 + 4 * 1 + 2] = 0xFF;    // colour 1: red
    b[40 + 4 * 2 + 1] = 0xFF;    // colour 2: green
    b[40 + 64 + 0] = 0x12;       // bottom row: colours 1, 2
    b[40 + 64 + 16 * 31] = 0x20; // top row: colour 2
    return b;
}

TEST(Icon, DecodesFourBitRowsUprightWithTheirPalette) {
    std::vector<std::uint8_t> b = fourBitIcon(32);
    shell::IconPixels out{};
    ASSERT_EQ(shell::decodeIcon(b.data(), b.size(), out), 1);
    EXPECT_EQ(out[0], 0xFF00FF00u); // top-left: the last row stored
    EXPECT_EQ(out[31 * 32 + 0], 0xFFFF0000u);
    EXPECT_EQ(out[31 * 32 + 1], 0xFF00FF00u);
    EXPECT_EQ(out[31 * 32 + 2], 0xFF000000u);
}

TEST(Icon, TheMaskOfADoubleHeightIconMakesPixelsTransparent) {
    std::vector<std::uint8_t> b = fourBitIcon(64);
    b[40 + 64 + 16 * 32] = 0x80; // mask: bottom-left pixel transparent
    shell::IconPixels out{};
    ASSERT_EQ(shell::decodeIcon(b.data(), b.size(), out), 1);
    EXPECT_EQ(out[31 * 32 + 0], 0u);
    EXPECT_EQ(out[31 * 32 + 1], 0xFF00FF00u);
}

TEST(Icon, RejectsShortOrOddBitmaps) {
    std::vector<std::uint8_t> b = fourBitIcon(32);
    shell::IconPixels out{};
    EXPECT_EQ(shell::decodeIcon(b.data(), b.size() - 1, out), 0);
    EXPECT_EQ(shell::decodeIcon(b.data(), 39, out), 0);
    b[4] = 16;
    EXPECT_EQ(shell::decodeIcon(b.data(), b.size(), out), 0);
    b[4] = 32;
    b[14] = 24;
    EXPECT_EQ(shell::decodeIcon(b.data(), b.size(), out), 0);
    b[14] = 4;
    b[0] = 0xFF; // a header claiming to be larger than the data
    b[1] = 0xFF;
    EXPECT_EQ(shell::decodeIcon(b.data(), b.size(), out), 0);
}

TEST(Icon, TheProgramsIconIsOpaqueThirtyTwoSquare) {
    shell::IconPixels out{};
    ASSERT_EQ(shell::loadIcon(platform::programModule(), 106, out), 1);
    for (const std::uint32_t p : out) {
        ASSERT_EQ(p >> 24, 0xFFu);
    }
    EXPECT_EQ(shell::loadIcon(platform::programModule(), 107, out), 0);
}

} // namespace
