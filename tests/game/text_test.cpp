#include "game/text.h"
#include "gfx/glyphs.h"
#include "support/frame.h"

#include <gtest/gtest.h>

namespace {

using testsupport::Framebuffer;

constexpr char KEYBOARD1_HELP[] =
    "Up:\x81\xAA Down:\x81\xAB Left:\x81\xA9 Right:\x81\xA8 Maho:Enter";

bool glyphBit(std::uint32_t codepoint, int column, int line) {
    return (gfx::findGlyph(codepoint).rows[line] >> (15 - column) & 1u) != 0;
}

TEST(DrawText, WritesGlyphPixelsInTheColourAtATopDownPosition) {
    Framebuffer fb;
    fb.pixels.assign(fb.pixels.size(), 0x00010203u);
    gfx::DrawingContext context = gfx::makeDrawingContext(fb.data());
    gfx::setTransparentBackground(context);
    game::drawText(context, 115, 80, game::TextPeach, "S");
    EXPECT_EQ(context.textColour, game::TextPeach);
    const gfx::Pixel peach = gfx::makePixel(250, 200, 180);
    int changed = 0;
    for (int t = 0; t < 240; ++t) {
        for (int c = 0; c < 320; ++c) {
            const bool inCell = t >= 80 && t < 96 && c >= 115 && c < 123;
            const bool set = inCell && glyphBit('S', c - 115, t - 80);
            changed += set;
            ASSERT_EQ(fb.atTop(c, t), set ? peach : 0x00010203u) << c << "," << t;
        }
    }
    EXPECT_GT(changed, 10);
}

TEST(DrawText, TheKeyboardHelpLineShowsFourArrowsAndFitsTheScreen) {
    ASSERT_EQ(sizeof KEYBOARD1_HELP - 1, 41u);
    EXPECT_EQ(gfx::glyphTextWidth(KEYBOARD1_HELP, gfx::Encoding::ShiftJis), 37 * 8);
    EXPECT_LE(10 + gfx::glyphTextWidth(KEYBOARD1_HELP, gfx::Encoding::ShiftJis), 320);

    Framebuffer fb;
    gfx::DrawingContext context = gfx::makeDrawingContext(fb.data());
    gfx::setTransparentBackground(context);
    game::drawText(context, 10, 223, game::TextMint, KEYBOARD1_HELP);
    const gfx::Pixel mint = gfx::makePixel(200, 250, 180);
    // "Up:" takes three cells, so the up arrow's cell starts at column 34.
    for (int line = 0; line < 16; ++line) {
        for (int column = 0; column < 8; ++column) {
            const int t = 223 + line;
            if (t >= 240) {
                continue;
            }
            ASSERT_EQ(fb.atTop(34 + column, t) == mint, glyphBit(0x2191, column, line));
        }
    }
}

} // namespace
