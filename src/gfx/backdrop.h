// The sideways-scrolling sky behind every screen but game over.
#pragma once

#include "gfx/pixel.h"

#include <cstdint>

namespace gfx {

// 0 .. 319; carries on across screens and games.
extern std::int32_t backdropOffset;

// Moves the backdrop one pixel to the right (wrapping) and overwrites the
// whole framebuffer with it. Returns 1.
int scrollBackdrop(Pixel* target);

} // namespace gfx
