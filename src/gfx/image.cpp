#include "gfx/image.h"

#include <cstdlib>
#include <cstring>

namespace gfx {
namespace {

void put16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void put32(std::uint8_t* at, std::uint32_t value) {
    put16(at, static_cast<std::uint16_t>(value));
    put16(at + 2, static_cast<std::uint16_t>(value >> 16));
}

} // namespace

Image createImage(std::int32_t width, std::int32_t height) {
    Image image{width, height, nullptr, nullptr, nullptr};
    if (width > 0 && height > 0) {
        const std::size_t count =
            static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
        image.pixels = static_cast<Pixel*>(std::calloc(count, sizeof(Pixel)));
    }
    image.header = static_cast<std::uint8_t*>(std::calloc(IMAGE_HEADER_BYTES, 1));
    image.info = static_cast<std::uint8_t*>(std::calloc(IMAGE_INFO_BYTES, 1));
    if (image.header != nullptr) {
        put32(image.header + 0, IMAGE_HEADER_BYTES);
        put32(image.header + 4, static_cast<std::uint32_t>(width));
        put32(image.header + 8, static_cast<std::uint32_t>(height));
        put16(image.header + 12, 1);  // planes
        put16(image.header + 14, 32); // bits per pixel
        if (image.info != nullptr) {
            std::memcpy(image.info, image.header, IMAGE_HEADER_BYTES);
        }
    }
    return image;
}

void releaseImage(const Image& image) {
    std::free(image.pixels);
    std::free(image.info);
    std::free(image.header);
}

} // namespace gfx
