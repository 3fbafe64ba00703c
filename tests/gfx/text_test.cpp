#include "gfx/glyphs.h"
#include "gfx/sjis.h"
#include "gfx/text.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using gfx::Canvas;
using gfx::Encoding;
using gfx::Pixel;

TEST(ShiftJis, DecodesAsciiKatakanaAndTheArrows) {
    EXPECT_EQ(gfx::decodeShiftJis("A").codepoint, 0x41u);
    EXPECT_EQ(gfx::decodeShiftJis("\xB1").codepoint, 0xFF71u); // half-width A
    EXPECT_EQ(gfx::decodeShiftJis("\xDF").codepoint, 0xFF9Fu);
    const char* arrows[] = {"\x81\xAA", "\x81\xAB", "\x81\xA9", "\x81\xA8"};
    const std::uint32_t expected[] = {0x2191, 0x2193, 0x2190, 0x2192};
    for (int i = 0; i < 4; ++i) {
        const gfx::Decoded d = gfx::decodeShiftJis(arrows[i]);
        EXPECT_EQ(d.codepoint, expected[i]);
        EXPECT_EQ(d.length, 2);
    }
}

TEST(ShiftJis, UnknownOrBrokenCharactersBecomeTheReplacementWithoutOverreading) {
    const gfx::Decoded other = gfx::decodeShiftJis("\x88\x9F"); // a kanji the font lacks
    EXPECT_EQ(other.codepoint, gfx::REPLACEMENT_CHARACTER);
    EXPECT_EQ(other.length, 2);
    const char lone[2] = {'\x81', '\0'}; // lead byte at the very end
    const gfx::Decoded cut = gfx::decodeShiftJis(lone);
    EXPECT_EQ(cut.codepoint, gfx::REPLACEMENT_CHARACTER);
    EXPECT_EQ(cut.length, 1);
    EXPECT_EQ(gfx::decodeShiftJis("\x80").codepoint, gfx::REPLACEMENT_CHARACTER);
    EXPECT_EQ(gfx::decodeShiftJis("").length, 0);
}

TEST(Utf8, DecodesTheMenuTextsAndRejectsBrokenSequences) {
    EXPECT_EQ(gfx::decodeUtf8("\xEF\xBE\x8C").codepoint, 0xFF8Cu); // ﾌ
    EXPECT_EQ(gfx::decodeUtf8("\xE7\xB5\x82").codepoint, 0x7D42u); // 終
    const char cut[3] = {'\xE7', '\xB5', '\0'};
    EXPECT_EQ(gfx::decodeUtf8(cut).codepoint, gfx::REPLACEMENT_CHARACTER);
    EXPECT_EQ(gfx::decodeUtf8(cut).length, 1);
}

TEST(Glyphs, CellsAreEightOrSixteenColumnsAndMissingOnesAreReplaced) {
    EXPECT_EQ(gfx::findGlyph('A').width, 8);
    EXPECT_EQ(gfx::findGlyph(0x2191).width, 8);
    EXPECT_EQ(gfx::findGlyph(0x7D42).width, 16);
    EXPECT_EQ(gfx::findGlyph(0x4E00).codepoint, gfx::REPLACEMENT_CHARACTER);
}

TEST(GlyphText, SetBitsTakeTheColourAndEverythingElseStays) {
    std::vector<Pixel> pixels(40 * 30, 0x00333333u);
    const Canvas canvas{pixels.data(), 40, 30, false};
    const Pixel ink = 0x00FF0000u;
    EXPECT_EQ(gfx::drawGlyphText(canvas, 3, 5, ink, "Ab", Encoding::ShiftJis), 16);
    const gfx::Glyph& a = gfx::findGlyph('A');
    const gfx::Glyph& b = gfx::findGlyph('b');
    int inked = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            bool set = false;
            if (y >= 5 && y < 21 && x >= 3 && x < 19) {
                const gfx::Glyph& g = x < 11 ? a : b;
                const int column = (x - 3) % 8;
                set = (g.rows[y - 5] >> (15 - column) & 1u) != 0;
            }
            inked += set;
            ASSERT_EQ(pixels[y * 40 + x], set ? ink : 0x00333333u) << x << "," << y;
        }
    }
    EXPECT_GT(inked, 20);
}

TEST(GlyphText, BottomUpCanvasesCountLinesFromTheTopAndClipAtEveryEdge) {
    std::vector<Pixel> pixels(16 * 16, 0);
    const Canvas canvas{pixels.data(), 16, 16, true};
    // Drawn partly off every edge: nothing may be written outside.
    gfx::drawGlyphText(canvas, -4, -8, 1, "WW", Encoding::ShiftJis);
    gfx::drawGlyphText(canvas, 12, 10, 1, "WW", Encoding::ShiftJis);
    // The top line of the canvas is stored last.
    std::vector<Pixel> top(16 * 16, 0);
    gfx::drawGlyphText(Canvas{top.data(), 16, 16, true}, 0, 0, 1, "\xDB", Encoding::ShiftJis);
    const gfx::Glyph& g = gfx::findGlyph(0xFF9B);
    for (int line = 0; line < 16; ++line) {
        for (int x = 0; x < 8; ++x) {
            ASSERT_EQ(top[(15 - line) * 16 + x], (g.rows[line] >> (15 - x) & 1u) ? 1u : 0u);
        }
    }
}

TEST(GlyphText, OpaqueBackgroundFillsTheWholeCell) {
    std::vector<Pixel> pixels(8 * 16, 0);
    const Pixel background = 0x00FFFFFFu;
    gfx::drawGlyphText(Canvas{pixels.data(), 8, 16, false}, 0, 0, 0x00000001u, " ",
                       Encoding::ShiftJis, &background);
    for (Pixel p : pixels) {
        ASSERT_EQ(p, background);
    }
}

} // namespace

namespace {

// The plainest reading of a glyph cell: each bit of each row, tested against
// the canvas on its own.
void modelText(const Canvas& canvas, int x, int y, Pixel colour, const char* text,
               const Pixel* background) {
    int at = x;
    for (gfx::Decoded d = gfx::decodeShiftJis(text); d.length > 0; d = gfx::decodeShiftJis(text)) {
        const gfx::Glyph& g = gfx::findGlyph(d.codepoint);
        for (int row = 0; row < 16; ++row) {
            const int line = y + row;
            for (int column = 0; column < g.width; ++column) {
                const int c = at + column;
                if (line < 0 || line >= canvas.height || c < 0 || c >= canvas.width) {
                    continue;
                }
                Pixel& p = canvas.pixels[(canvas.height - 1 - line) * canvas.width + c];
                if ((g.rows[row] >> (15 - column) & 1u) != 0) {
                    p = colour;
                } else if (background != nullptr) {
                    p = *background;
                }
            }
        }
        at += g.width;
        text += d.length;
    }
}

TEST(GlyphText, EveryPositionAroundTheEdgesMatchesTheBitByBitRule) {
    // Half-width and full-width cells, with and without a background.
    const char* texts[] = {"Wg|", "\x81\xA9\x81\xAA",
                           "A\x81\xA8"
                           "b"};
    const Pixel background = 0x00445566u;
    for (const char* text : texts) {
        for (const Pixel* fill : {static_cast<const Pixel*>(nullptr), &background}) {
            for (int y = -17; y <= 26; y += 3) {
                for (int x = -40; x <= 45; ++x) {
                    std::vector<Pixel> actual(40 * 24, 7);
                    std::vector<Pixel> expected = actual;
                    gfx::drawGlyphText(Canvas{actual.data(), 40, 24, true}, x, y, 0x00ABCDEFu, text,
                                       Encoding::ShiftJis, fill);
                    modelText(Canvas{expected.data(), 40, 24, true}, x, y, 0x00ABCDEFu, text, fill);
                    ASSERT_EQ(actual, expected) << "text at (" << x << ", " << y << ")";
                }
            }
        }
    }
}

} // namespace
