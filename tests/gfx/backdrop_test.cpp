#include "gfx/backdrop.h"
#include "support/frame.h"

#include <gtest/gtest.h>

namespace {

using gfx::Pixel;
using testsupport::Framebuffer;

// A backdrop whose every pixel tells its column and row apart.
class Backdrop : public ::testing::Test {
  protected:
    void SetUp() override {
        saved = gfx::Backdrop;
        gfx::Backdrop = gfx::createImage(320, 240);
        for (int r = 0; r < 240; ++r) {
            for (int c = 0; c < 320; ++c) {
                gfx::Backdrop.pixels[r * 320 + c] = source(c, r);
            }
        }
        gfx::backdropOffset = 0;
    }
    void TearDown() override {
        gfx::releaseImage(gfx::Backdrop);
        gfx::Backdrop = saved;
        gfx::backdropOffset = 0;
    }
    static Pixel source(int c, int r) { return static_cast<Pixel>(0x01000000u | (r << 12) | c); }

    gfx::Image saved{};
};

TEST_F(Backdrop, FirstCallShiftsOnePixelRightWrappingTheLastColumn) {
    Framebuffer fb;
    EXPECT_EQ(gfx::scrollBackdrop(fb.data()), 1);
    EXPECT_EQ(gfx::backdropOffset, 1);
    for (int r = 0; r < 240; ++r) {
        ASSERT_EQ(fb.at(0, r), source(319, r));
        ASSERT_EQ(fb.at(1, r), source(0, r));
        ASSERT_EQ(fb.at(319, r), source(318, r));
    }
}

TEST_F(Backdrop, EveryPixelComesFromTheColumnOffsetBehindIt) {
    Framebuffer fb;
    for (int call = 0; call < 137; ++call) {
        gfx::scrollBackdrop(fb.data());
    }
    ASSERT_EQ(gfx::backdropOffset, 137);
    for (int r = 0; r < 240; ++r) {
        for (int c = 0; c < 320; ++c) {
            ASSERT_EQ(fb.at(c, r), source((c - 137 + 320) % 320, r));
        }
    }
}

TEST_F(Backdrop, After320CallsTheScreenEqualsTheBackdropAgain) {
    Framebuffer fb;
    for (int call = 0; call < 320; ++call) {
        gfx::scrollBackdrop(fb.data());
    }
    EXPECT_EQ(gfx::backdropOffset, 0);
    for (int i = 0; i < gfx::FRAME_PIXELS; ++i) {
        ASSERT_EQ(fb.pixels[i], gfx::Backdrop.pixels[i]);
    }
}

TEST_F(Backdrop, OverwritesEveryPixelWithAllFourBytes) {
    Framebuffer fb;
    fb.pixels.assign(fb.pixels.size(), 0xDEADBEEFu);
    gfx::Backdrop.pixels[5] = 0; // black is not transparent here
    gfx::backdropOffset = 319;   // next call draws at offset 0
    gfx::scrollBackdrop(fb.data());
    EXPECT_EQ(fb.pixels[5], 0u);
    EXPECT_EQ(fb.pixels[6], source(6, 0));
    EXPECT_EQ(fb.at(319, 239), source(319, 239));
}

TEST_F(Backdrop, FallbackImageShowsBlackWhereItHasNoPixels) {
    gfx::releaseImage(gfx::Backdrop);
    gfx::Backdrop = gfx::createImage(64, 64);
    gfx::Backdrop.pixels[0] = 0x00ABCDEFu;
    Framebuffer fb;
    fb.pixels.assign(fb.pixels.size(), 0x11111111u);
    gfx::scrollBackdrop(fb.data());
    for (int i = 0; i < gfx::FRAME_PIXELS; ++i) {
        ASSERT_EQ(fb.pixels[i], i == 1 ? 0x00ABCDEFu : 0u) << i;
    }
}

} // namespace
