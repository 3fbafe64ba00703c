// Where the page puts the window: whole device pixels per game pixel at
// any display scale, wholly on the page, the bar at the display's scale.
#include "platform/web/layout.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using webplatform::layOutPage;
using webplatform::PageLayout;
using webplatform::PageSpace;

TEST(WebLayout, AWindowTakesTheFactorNearestItsSizeOrTheLargestThatFits) {
    // space (device pixels), pixel ratio, client width; then factor, bar
    // scale, the window's x, y, width, height
    const std::tuple<PageSpace, int, int, int, int, int, int> cases[] = {
        // 1x at 100 %: as on the desktop, centred
        {{1920, 1040, 1.0, 320, false}, 1, 1, 800, 390, 320, 260},
        // 2x at 125 %: 2.5 is a tie, the larger factor; the bar stays 1:1
        {{1600, 850, 1.25, 640, false}, 3, 1, 320, 55, 960, 740},
        // 1x at 150 %: 1.5, so 2, and the bar 2 as well
        {{2000, 1000, 1.5, 320, false}, 2, 2, 680, 240, 640, 520},
        // a phone upright at 3: 2x would be 6, 3 is the widest that fits
        {{1170, 1500, 3.0, 640, false}, 3, 3, 105, 360, 960, 780},
        // a phone sideways at 3: the height decides, bar included
        {{1300, 1050, 3.0, 640, false}, 4, 3, 10, 15, 1280, 1020},
        // 2x at 200 % on a 2560x1440 screen
        {{5120, 2800, 2.0, 640, false}, 4, 2, 1920, 900, 1280, 1000},
        // too small even at 1x: the left and top stay in sight
        {{200, 100, 1.0, 640, false}, 1, 1, 0, 0, 320, 260},
    };
    for (const auto& [space, factor, barScale, x, y, width, height] : cases) {
        const PageLayout l = layOutPage(space);
        SCOPED_TRACE(testing::Message() << space.width << "x" << space.height << " at "
                                        << space.pixelRatio << ", client " << space.clientWidth);
        EXPECT_EQ(l.factor, factor);
        EXPECT_EQ(l.barScale, barScale);
        EXPECT_EQ(std::tie(l.windowX, l.windowY, l.windowWidth, l.windowHeight),
                  std::tie(x, y, width, height));
        // The picture fills the window below the bar, each game pixel
        // factor by factor device pixels; the bar spans the window.
        EXPECT_EQ(std::tie(l.pictureX, l.pictureY, l.pictureWidth, l.pictureHeight),
                  std::make_tuple(0, 20 * barScale, 320 * factor, 240 * factor));
        EXPECT_GE(l.barWidth * l.barScale, l.windowWidth);
        EXPECT_LT((l.barWidth - 1) * l.barScale, l.windowWidth);
    }
}

TEST(WebLayout, FullscreenCentresTheLargestFactorOnTheWholeSpace) {
    // 1920x1080 at 100 %: 4x, bands all round
    PageLayout l = layOutPage(PageSpace{1920, 1080, 1.0, 320, true});
    EXPECT_EQ(std::tie(l.factor, l.windowX, l.windowY, l.windowWidth, l.windowHeight),
              std::make_tuple(4, 0, 0, 1920, 1080));
    EXPECT_EQ(std::tie(l.pictureX, l.pictureY), std::make_tuple(320, 60));
    EXPECT_EQ(std::tie(l.barScale, l.barWidth), std::make_tuple(1, 1920));
    // A phone sideways at 3, whatever size the menu picked: the bar at the
    // display's scale across the top.
    l = layOutPage(PageSpace{2532, 1170, 3.0, 640, true});
    EXPECT_EQ(std::tie(l.factor, l.pictureX, l.pictureY), std::make_tuple(4, 626, 105));
    EXPECT_EQ(std::tie(l.barScale, l.barWidth), std::make_tuple(3, 844));
    // Smaller than the frame: 1x from the corner, never off the top or left.
    l = layOutPage(PageSpace{300, 200, 1.0, 320, true});
    EXPECT_EQ(std::tie(l.factor, l.pictureX, l.pictureY), std::make_tuple(1, 0, 0));
}

TEST(WebLayout, TheBarNeverOutgrowsThePicturesScale) {
    // At a ratio of 3 in a space that holds only 1x, the bar goes to 1:1
    // as well, and a tiny or nonsensical ratio still gives whole pixels.
    const PageLayout small = layOutPage(PageSpace{400, 300, 3.0, 320, false});
    EXPECT_EQ(std::tie(small.factor, small.barScale, small.windowHeight),
              std::make_tuple(1, 1, 260));
    const PageLayout odd = layOutPage(PageSpace{1000, 800, 0.0, 320, false});
    EXPECT_EQ(std::tie(odd.factor, odd.barScale), std::make_tuple(1, 1));
}

} // namespace
