// The game's two pictures, loaded once at start-up.
#pragma once

#include "gfx/image.h"
#include "platform/platform.h"

namespace gfx {

constexpr int SPRITE_SHEET_ID = 103;
constexpr int BACKDROP_ID = 105;

constexpr int SHEET_WIDTH = 256;
constexpr int SHEET_HEIGHT = 160;

extern Image Backdrop;    // 320 by 240, the cloudy sky
extern Image SpriteSheet; // 256 by 160, every sprite

// Loads the backdrop, then the sprite sheet.
void loadImages(const platform::Module& module);

// Releases the backdrop, then the sprite sheet, and forgets both.
void releaseImages();

} // namespace gfx
