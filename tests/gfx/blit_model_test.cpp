// The fast blitter against the per-pixel reference over many requests at
// and beyond every edge.
#include "gfx/blit.h"
#include "support/frame.h"
#include "support/reference_blit.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using gfx::BlitRequest;
using gfx::Pixel;
using testsupport::Framebuffer;
using testsupport::ScopedSheet;

// A small deterministic generator of the test's own.
struct Lcg {
    std::uint32_t state;
    std::uint32_t next() {
        state = state * 1664525u + 1013904223u;
        return state;
    }
    int below(int n) { return static_cast<int>(next() >> 8) % n; }
};

TEST(BlitModel, EveryModeOrientationAndEdgeMatchesThePlainRules) {
    ScopedSheet sheet;
    Lcg random{12345};
    // Bright, dark, black-with-a-fourth-byte and pure black source pixels.
    for (int v = 0; v < 160; ++v) {
        for (int u = 0; u < 256; ++u) {
            const std::uint32_t bits = random.next();
            sheet.at(u, v) = bits % 5 == 0 ? (bits & 0xFF000000u) : bits;
        }
    }
    Framebuffer expected;
    Framebuffer actual;
    for (Pixel& p : expected.pixels) {
        p = random.next();
    }
    actual.pixels = expected.pixels;
    for (int k = 0; k < 4000; ++k) {
        const int width = random.below(41) - 2;
        const int height = random.below(41) - 2;
        // Positions cluster around the screen's and the sheet's edges.
        const int x = random.below(2) != 0 ? random.below(380) - 40 : 320 - random.below(45);
        const int y = random.below(2) != 0 ? random.below(300) - 40 : 240 - random.below(45);
        const int srcX = random.below(300) - 20;
        const int srcY = random.below(200) - 20;
        const BlitRequest r{actual.data(),  x, y, width, height, srcX, srcY, random.below(8),
                            random.below(5)};
        BlitRequest m = r;
        m.target = expected.data();
        ASSERT_EQ(gfx::blit(r), 1);
        testsupport::referenceBlit(m, gfx::SpriteSheet, gfx::translucentAlpha);
        ASSERT_EQ(actual.pixels, expected.pixels)
            << "request " << k << ": at (" << x << ", " << y << "), " << width << " by " << height
            << " from (" << srcX << ", " << srcY << "), orientation " << r.orientation << ", blend "
            << r.blendMode;
    }
}

TEST(BlitModel, FarAwayAndHugeRectanglesDrawOnlyTheirVisiblePart) {
    ScopedSheet sheet;
    for (int v = 0; v < 160; ++v) {
        for (int u = 0; u < 256; ++u) {
            sheet.at(u, v) = 0x00102030u;
        }
    }
    Framebuffer fb;
    gfx::blit(BlitRequest{fb.data(), INT32_MAX - 5, 10, 100, 10, 0, 0, 0, 0});
    gfx::blit(BlitRequest{fb.data(), INT32_MIN + 5, INT32_MIN, 100, 100, 0, 0, 1, 2});
    for (Pixel p : fb.pixels) {
        ASSERT_EQ(p, 0u);
    }
    // A rectangle far larger than the sheet covers the screen only where the
    // sheet has pixels.
    gfx::blit(BlitRequest{fb.data(), 0, 0, INT32_MAX, INT32_MAX, 0, 0, 0, 0});
    EXPECT_EQ(fb.at(255, 159), 0x00102030u);
    EXPECT_EQ(fb.at(256, 0), 0u);
    EXPECT_EQ(fb.at(0, 160), 0u);
}

} // namespace
