#include "gfx/colour.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using gfx::makePixel;
using gfx::Pixel;

// The floating-point form of the mix: each weight times 1/255 rounded to
// single precision, the products summed, truncated toward zero.
int floatMix(int a, int wa, int b, int wb) {
    const float factor = 1.0f / 255.0f;
    const double value = a * static_cast<double>(static_cast<float>(wa * factor)) +
                         b * static_cast<double>(static_cast<float>(wb * factor));
    const int truncated = static_cast<int>(value);
    return truncated > 255 ? 255 : truncated;
}

TEST(MixColour, WorkedExamples) {
    Pixel p = makePixel(30, 20, 10);
    EXPECT_EQ(gfx::mixColour(p, 200, makePixel(100, 100, 100), 55), makePixel(45, 37, 29));
    p = makePixel(50, 100, 200);
    EXPECT_EQ(gfx::mixColour(p, 255, makePixel(100, 100, 100), 255), makePixel(150, 200, 255));
    p = makePixel(50, 100, 200);
    EXPECT_EQ(gfx::mixColour(p, 255, p, 255), makePixel(100, 200, 255));
    p = makePixel(255, 255, 255);
    EXPECT_EQ(gfx::mixColour(p, 200, 0, 55), makePixel(200, 200, 200));
}

TEST(MixColour, KeepsTheFourthByteAndUsesOnlyTheWeightsLowBytes) {
    Pixel p = 0x7F0A141Eu;
    gfx::mixColour(p, 0x100 + 255, 0x00FFFFFFu, 0x200);
    EXPECT_EQ(p, 0x7F0A141Eu);
}

TEST(MixColour, IntegerAndFloatFormsAgreeForEveryInput) {
    // Every channel pair with the weight pairs the blitter uses, and every
    // weight pair with a spread of channel values.
    const int weightPairs[][2] = {{200, 55}, {255, 255}, {0, 0}, {1, 254}, {128, 127}};
    for (const auto& w : weightPairs) {
        for (int a = 0; a < 256; ++a) {
            for (int b = 0; b < 256; ++b) {
                Pixel p = makePixel(a, a, a);
                gfx::mixColour(p, w[0], makePixel(b, b, b), w[1]);
                ASSERT_EQ(gfx::redOf(p), floatMix(a, w[0], b, w[1])) << a << " " << b;
            }
        }
    }
    const int values[] = {0, 1, 2, 127, 128, 200, 254, 255};
    for (int wa = 0; wa < 256; ++wa) {
        for (int wb = 0; wb < 256; ++wb) {
            for (int a : values) {
                for (int b : values) {
                    Pixel p = makePixel(0, a, 0);
                    gfx::mixColour(p, wa, makePixel(0, b, 0), wb);
                    ASSERT_EQ(gfx::greenOf(p), floatMix(a, wa, b, wb))
                        << a << " " << wa << " " << b << " " << wb;
                }
            }
        }
    }
}

} // namespace
