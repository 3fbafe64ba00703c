// The game's one text output and its two colours.
#pragma once

#include "gfx/text.h"

#include <cstdint>

namespace game {

// Colour references, 0x00BBGGRR.
constexpr std::uint32_t TextPeach = 0x00B4C8FA; // red 250, green 200, blue 180
constexpr std::uint32_t TextMint = 0x00B4FAC8;  // red 200, green 250, blue 180

// Sets the context's text colour, then writes the Shift-JIS `text` with the
// top of its first cell at the top-down position (x, y).
void drawText(gfx::DrawingContext& context, int x, int y, std::uint32_t colour, const char* text);

} // namespace game
