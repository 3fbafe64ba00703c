// The per-channel weighted sum behind the blitter's blend modes.
#pragma once

#include "gfx/pixel.h"

namespace gfx {

// first = min(255, (first * firstWeight + second * secondWeight) / 255) for
// blue, green and red; the fourth byte of first stays. Only the weights' low
// bytes count. `second` may be `first` itself. Returns first.
Pixel& mixColour(Pixel& first, int firstWeight, const Pixel& second, int secondWeight);

} // namespace gfx
