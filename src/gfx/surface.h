// The framebuffer surface: the picture every frame is drawn into, handed to
// the game each frame by the host.
#pragma once

#include "gfx/pixel.h"
#include "gfx/text.h"

namespace gfx {

struct FramebufferSurface {
    Pixel* pixels;                  // 320 by 240, bottom row first
    DrawingContext* drawingContext; // text output onto the same pixels
};

} // namespace gfx
