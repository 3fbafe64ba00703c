#include "gfx/images.h"

#include "gfx/bitmap_loader.h"

namespace gfx {

Image Backdrop{};
Image SpriteSheet{};

void loadImages(const platform::Module& module) {
    Backdrop = loadBitmapImage(BACKDROP_ID, module);
    SpriteSheet = loadBitmapImage(SPRITE_SHEET_ID, module);
}

void releaseImages() {
    releaseImage(Backdrop);
    releaseImage(SpriteSheet);
    // Cleared so that nothing can read freed pixels, and a later load starts afresh.
    Backdrop = Image{};
    SpriteSheet = Image{};
}

} // namespace gfx
