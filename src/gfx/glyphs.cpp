#include "gfx/glyphs.h"

#include <algorithm>

namespace gfx {
namespace {

const Glyph* lookup(std::uint32_t codepoint) {
    const Glyph* end = GLYPHS + GLYPH_COUNT;
    const Glyph* at = std::lower_bound(
        GLYPHS, end, codepoint, [](const Glyph& g, std::uint32_t cp) { return g.codepoint < cp; });
    return at != end && at->codepoint == codepoint ? at : nullptr;
}

// Most text is ASCII: those glyphs are looked up once.
struct AsciiGlyphs {
    const Glyph* glyphs[128];
};

AsciiGlyphs findAscii() {
    AsciiGlyphs table{};
    for (std::uint32_t c = 0; c < 128; ++c) {
        table.glyphs[c] = lookup(c);
    }
    return table;
}

} // namespace

const Glyph& findGlyph(std::uint32_t codepoint) {
    static const Glyph* const replacement = lookup(REPLACEMENT_CHARACTER);
    static const AsciiGlyphs ascii = findAscii();
    const Glyph* glyph = codepoint < 128 ? ascii.glyphs[codepoint] : lookup(codepoint);
    return glyph != nullptr ? *glyph : *replacement;
}

} // namespace gfx
