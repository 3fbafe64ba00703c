#include "gfx/image.h"

#include <cstdlib>

namespace gfx {

Image createImage(std::int32_t width, std::int32_t height) {
    Image image{width, height, nullptr};
    if (width > 0 && height > 0) {
        const std::size_t count =
            static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
        image.pixels = static_cast<Pixel*>(std::calloc(count, sizeof(Pixel)));
    }
    return image;
}

void releaseImage(const Image& image) {
    std::free(image.pixels);
}

} // namespace gfx
