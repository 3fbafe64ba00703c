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

} // namespace

const Glyph& findGlyph(std::uint32_t codepoint) {
    static const Glyph* const replacement = lookup(REPLACEMENT_CHARACTER);
    const Glyph* glyph = lookup(codepoint);
    return glyph != nullptr ? *glyph : *replacement;
}

} // namespace gfx
