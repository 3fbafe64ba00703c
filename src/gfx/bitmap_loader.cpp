#include "gfx/bitmap_loader.h"

#include <cstdint>

namespace gfx {
namespace {

constexpr int FALLBACK_SIZE = 64;

std::int32_t readInt32(const std::uint8_t* at) {
    const std::uint32_t value =
        static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
        static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
    return static_cast<std::int32_t>(value);
}

Image fail(const char* text) {
    platform::showMessageBox(text, LOADER_CAPTION);
    return createImage(FALLBACK_SIZE, FALLBACK_SIZE);
}

// The one shape the loader reads: the header's width and height, a
// 256-entry palette at byte 40 and unpadded rows from byte 1064. Anything
// else would make the loader read past the resource or slant the rows.
bool usable(const platform::ResourceBytes& bytes, std::int32_t& width, std::int32_t& height) {
    if (bytes.data == nullptr || bytes.size < static_cast<std::size_t>(BITMAP_PIXEL_OFFSET)) {
        return false;
    }
    width = readInt32(bytes.data + 4);
    height = readInt32(bytes.data + 8);
    if (width <= 0 || height <= 0 || width % 4 != 0) {
        return false;
    }
    const std::uint64_t needed =
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    return needed <= bytes.size - BITMAP_PIXEL_OFFSET;
}

} // namespace

Image loadBitmapImage(int id, const platform::Module& module) {
    const platform::ResourceHandle resource =
        platform::findResource(module, id, platform::ResourceKind::Bitmap);
    if (resource == 0) {
        return fail(FIND_RESOURCE_ERROR);
    }
    platform::ResourceBytes bytes{};
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (platform::loadResource(module, resource, bytes) == 0 || !usable(bytes, width, height)) {
        return fail(LOAD_RESOURCE_ERROR);
    }

    Image image = createImage(width, height);
    if (image.pixels == nullptr) {
        return image;
    }
    const std::uint8_t* palette = bytes.data + BITMAP_PALETTE_OFFSET;
    const std::uint8_t* indices = bytes.data + BITMAP_PIXEL_OFFSET;
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* entryBytes = palette + 4 * indices[i];
        image.pixels[i] = makePixel(entryBytes[2], entryBytes[1], entryBytes[0]);
    }
    return image;
}

} // namespace gfx
