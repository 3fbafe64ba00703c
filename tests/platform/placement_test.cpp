// The whole-factor arithmetic every platform's larger pictures share.
#include "platform/placement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace {

TEST(Placement, FullscreenCentresTheLargestWholeFactorThatFitsOnBlack) {
    // screen, then the frame's x, y, width, height on it
    const std::tuple<int, int, int, int, int, int> cases[] = {
        {1280, 1024, 0, 32, 1280, 960},   // 4x: bands above and below
        {1920, 1080, 320, 60, 1280, 960}, // 4.5x in height: 4x, bands all round
        {1366, 768, 203, 24, 960, 720},   // 3x
        {3840, 2160, 480, 0, 2880, 2160}, // 12x in width, 9x in height: 9x
        {300, 200, -10, -20, 320, 240},   // smaller than the frame: 1x, cut evenly
    };
    for (const auto& [w, h, x, y, width, height] : cases) {
        const platform::FramePlacement at = platform::centredPlacement(w, h);
        EXPECT_EQ(at.x, x) << w << "x" << h;
        EXPECT_EQ(at.y, y) << w << "x" << h;
        EXPECT_EQ(at.width, width) << w << "x" << h;
        EXPECT_EQ(at.height, height) << w << "x" << h;
        EXPECT_EQ(at.background, platform::WINDOW_BLACK);
    }
}

TEST(Placement, TheNearestWholeFactorTakesTheLargerOnATieAndNeverLessThanOne) {
    const std::tuple<double, int> cases[] = {{1.0, 1}, {1.25, 1}, {1.49, 1}, {1.5, 2},
                                             {2.0, 2}, {2.49, 2}, {2.5, 3},  {0.5, 1},
                                             {0.0, 1}, {-3.0, 1}, {NAN, 1},  {1e12, 64}};
    for (const auto& [scale, factor] : cases) {
        EXPECT_EQ(platform::nearestWholeFactor(scale), factor) << scale;
    }
}

} // namespace
