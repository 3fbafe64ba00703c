#include "gfx/blit.h"
#include "support/frame.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using gfx::BlitRequest;
using gfx::makePixel;
using gfx::Pixel;
using testsupport::Framebuffer;
using testsupport::ScopedSheet;

// Fills a w by h rectangle of the sheet at (u0, v0) with pixels that tell
// their source column n and row i apart.
void paintSource(ScopedSheet& sheet, int u0, int v0, int w, int h) {
    for (int i = 0; i < h; ++i) {
        for (int n = 0; n < w; ++n) {
            sheet.at(u0 + n, v0 + i) = makePixel(1 + n, 1 + i, 7);
        }
    }
}

BlitRequest request(Pixel* target, int x, int y, int w, int h, int orientation = 0, int blend = 0) {
    return BlitRequest{target, x, y, w, h, 16, 8, orientation, blend};
}

std::vector<std::pair<int, int>> drawnCells(Framebuffer& fb) {
    std::vector<std::pair<int, int>> cells;
    for (int r = 0; r < gfx::FRAME_HEIGHT; ++r) {
        for (int c = 0; c < gfx::FRAME_WIDTH; ++c) {
            if (fb.at(c, r) != 0) {
                cells.emplace_back(c, r);
            }
        }
    }
    return cells;
}

TEST(Blit, EachOrientationWalksTheSourceByItsFormula) {
    ScopedSheet sheet;
    paintSource(sheet, 16, 8, 5, 3);
    struct Expect {
        int orientation;
        int n, i, column, row;
    };
    // Width 5, height 3 at (10, 20): the formulas measure from width and
    // height as written, even for a rectangle that is not square.
    const Expect cases[] = {
        {0, 0, 0, 10, 20}, {0, 4, 2, 14, 22}, {1, 0, 0, 14, 20}, {1, 4, 2, 12, 24},
        {2, 0, 0, 14, 22}, {2, 4, 2, 10, 20}, {3, 0, 0, 10, 22}, {3, 4, 2, 12, 18},
    };
    for (const Expect& e : cases) {
        Framebuffer fb;
        gfx::blit(request(fb.data(), 10, 20, 5, 3, e.orientation));
        EXPECT_EQ(fb.at(e.column, e.row), makePixel(1 + e.n, 1 + e.i, 7))
            << "orientation " << e.orientation << " source " << e.n << "," << e.i;
        EXPECT_EQ(drawnCells(fb).size(), 15u);
    }
}

TEST(Blit, OrientationsFourToSevenDrawAsZeroToThree) {
    ScopedSheet sheet;
    paintSource(sheet, 16, 8, 6, 4);
    for (int o = 0; o < 4; ++o) {
        Framebuffer low;
        Framebuffer high;
        gfx::blit(request(low.data(), 40, 40, 6, 4, o));
        gfx::blit(request(high.data(), 40, 40, 6, 4, o + 4));
        EXPECT_EQ(low.pixels, high.pixels) << o;
    }
}

TEST(Blit, OnlyPureBlackIsTransparent) {
    ScopedSheet sheet;
    sheet.at(16, 8) = 0xFF000000u;        // black with the fourth byte set
    sheet.at(17, 8) = makePixel(0, 0, 1); // darkest blue
    Framebuffer fb;
    fb.at(0, 0) = 0x123456;
    fb.at(1, 0) = 0x123456;
    gfx::blit(request(fb.data(), 0, 0, 2, 1));
    EXPECT_EQ(fb.at(0, 0), 0x123456u);
    EXPECT_EQ(fb.at(1, 0), makePixel(0, 0, 1));
}

TEST(Blit, NothingIsDrawnForEmptyRectanglesOrUnknownBlendModes) {
    ScopedSheet sheet;
    paintSource(sheet, 16, 8, 4, 4);
    const BlitRequest empty[] = {
        request(nullptr, 0, 0, 0, 4),
        request(nullptr, 0, 0, 4, 0),
        request(nullptr, 0, 0, -1, 4),
        request(nullptr, 0, 0, 4, -3),
    };
    for (const BlitRequest& r : empty) {
        EXPECT_EQ(gfx::blit(r), 1); // a null target shows that nothing is touched
    }
    Framebuffer fb;
    EXPECT_EQ(gfx::blit(request(fb.data(), 0, 0, 4, 4, 0, 4)), 1);
    EXPECT_EQ(gfx::blit(request(fb.data(), 0, 0, 4, 4, 0, -1)), 1);
    EXPECT_TRUE(drawnCells(fb).empty());
}

TEST(Blit, BottomLeftSourcePixelAtTheOriginIsElementZero) {
    ScopedSheet sheet;
    sheet.at(16, 8) = makePixel(9, 9, 9);
    Framebuffer fb;
    gfx::blit(request(fb.data(), 0, 0, 16, 16));
    EXPECT_EQ(fb.pixels[0], makePixel(9, 9, 9));
}

TEST(Blit, ClipsEachEdgeWithoutWrappingIntoOtherRows) {
    ScopedSheet sheet;
    paintSource(sheet, 16, 8, 16, 16);
    struct Edge {
        const char* what;
        int x, y;
        int minColumn, maxColumn, minRow, maxRow;
    };
    const Edge edges[] = {
        {"left", -4, 100, 0, 11, 100, 115},
        {"right", 310, 50, 310, 319, 50, 65},
        {"bottom", 0, -3, 0, 15, 0, 12},
        {"top", 0, 230, 0, 15, 230, 239},
        {"bottom-left corner", -10, -10, 0, 5, 0, 5},
        {"top-right corner", 315, 236, 315, 319, 236, 239},
    };
    for (const Edge& e : edges) {
        SCOPED_TRACE(e.what);
        Framebuffer fb;
        gfx::blit(request(fb.data(), e.x, e.y, 16, 16));
        const auto cells = drawnCells(fb);
        const std::size_t expected =
            static_cast<std::size_t>(e.maxColumn - e.minColumn + 1) * (e.maxRow - e.minRow + 1);
        ASSERT_EQ(cells.size(), expected);
        for (const auto& [c, r] : cells) {
            ASSERT_TRUE(c >= e.minColumn && c <= e.maxColumn && r >= e.minRow && r <= e.maxRow)
                << c << "," << r;
            EXPECT_EQ(fb.at(c, r), makePixel(1 + c - e.x, 1 + r - e.y, 7));
        }
    }
    Framebuffer fb;
    gfx::blit(request(fb.data(), 0, 240, 16, 16));
    gfx::blit(request(fb.data(), 0, -16, 16, 16));
    gfx::blit(request(fb.data(), 320, 0, 16, 16));
    gfx::blit(request(fb.data(), -16, 0, 16, 16));
    EXPECT_TRUE(drawnCells(fb).empty());
}

TEST(Blit, BlendModesCombineWithTheScreen) {
    ScopedSheet sheet;
    struct Case {
        const char* what;
        int blend;
        Pixel source, before, after;
    };
    const Case cases[] = {
        {"copy keeps the source's fourth byte", gfx::BLEND_COPY, 0xAB0A141Eu, 0x00646464u,
         0xAB0A141Eu},
        {"translucent white over black", gfx::BLEND_TRANSLUCENT, makePixel(255, 255, 255), 0,
         makePixel(200, 200, 200)},
        {"translucent worked example", gfx::BLEND_TRANSLUCENT, makePixel(30, 20, 10),
         makePixel(100, 100, 100), makePixel(45, 37, 29)},
        {"translucent darkest pixel over black", gfx::BLEND_TRANSLUCENT, makePixel(1, 1, 1), 0, 0},
        {"add clamps", gfx::BLEND_ADD, makePixel(50, 100, 200), makePixel(100, 100, 100),
         makePixel(150, 200, 255)},
        {"add over white is white", gfx::BLEND_ADD, makePixel(1, 2, 3), makePixel(255, 255, 255),
         makePixel(255, 255, 255)},
        {"double ignores the screen", gfx::BLEND_DOUBLE, makePixel(50, 100, 200),
         makePixel(9, 9, 9), makePixel(100, 200, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sheet.at(16, 8) = c.source;
        Framebuffer fb;
        fb.at(3, 4) = c.before;
        gfx::blit(BlitRequest{fb.data(), 3, 4, 1, 1, 16, 8, 0, c.blend});
        EXPECT_EQ(fb.at(3, 4), c.after);
    }
}

TEST(Blit, FallbackSheetReadsAsTransparentOutsideItsPixels) {
    gfx::Image saved = gfx::SpriteSheet;
    gfx::SpriteSheet = gfx::createImage(64, 64);
    gfx::SpriteSheet.pixels[63 * 64 + 63] = makePixel(5, 5, 5);
    Framebuffer fb;
    // The witch cell of character 2 lies far outside a 64 by 64 image.
    gfx::blit(BlitRequest{fb.data(), 10, 10, 32, 32, 0, 64, 0, 0});
    gfx::blit(BlitRequest{fb.data(), 100, 10, 32, 32, 48, 48, 0, 0});
    EXPECT_EQ(drawnCells(fb).size(), 1u);
    EXPECT_EQ(fb.at(115, 25), makePixel(5, 5, 5));
    gfx::releaseImage(gfx::SpriteSheet);
    gfx::SpriteSheet = saved;
}

} // namespace
