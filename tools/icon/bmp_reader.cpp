#include "bmp_reader.h"

#include <cstddef>

namespace icon {

namespace {

constexpr std::size_t FILE_HEADER_BYTES = 14;
constexpr std::size_t INFO_HEADER_BYTES = 40;
// Far beyond any icon; keeps a corrupt header from asking for gigabytes.
constexpr std::int64_t MAX_SIDE = 16384;

std::uint32_t u32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

unsigned u16(const std::uint8_t* p) {
    return static_cast<unsigned>(p[0] | p[1] << 8);
}

bool fail(std::string& error, const char* why) {
    error = why;
    return false;
}

} // namespace

bool readBmp(const std::vector<std::uint8_t>& file, Image& out, std::string& error) {
    const std::size_t size = file.size();
    const std::uint8_t* bytes = file.data();
    if (size < FILE_HEADER_BYTES + INFO_HEADER_BYTES || bytes[0] != 'B' || bytes[1] != 'M') {
        return fail(error, "not a bitmap file");
    }
    const std::uint8_t* info = bytes + FILE_HEADER_BYTES;
    const std::uint32_t infoSize = u32(info);
    const std::uint32_t pixelsAt = u32(bytes + 10);
    const auto width = static_cast<std::int32_t>(u32(info + 4));
    const auto rawHeight = static_cast<std::int32_t>(u32(info + 8));
    const unsigned bits = u16(info + 14);
    const std::uint32_t compression = u32(info + 16);
    std::uint32_t colours = u32(info + 32);
    if (infoSize < INFO_HEADER_BYTES || infoSize > size - FILE_HEADER_BYTES) {
        return fail(error, "unknown bitmap header");
    }
    if (compression != 0) {
        return fail(error, "compressed bitmaps are not supported");
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
        return fail(error, "unsupported bits per pixel");
    }
    const bool topDown = rawHeight < 0;
    const std::int64_t height = topDown ? -static_cast<std::int64_t>(rawHeight) : rawHeight;
    if (width <= 0 || height <= 0 || width > MAX_SIDE || height > MAX_SIDE) {
        return fail(error, "bad width or height");
    }
    const std::size_t paletteAt = FILE_HEADER_BYTES + infoSize;
    if (bits <= 8) {
        if (colours == 0 || colours > (1u << bits)) {
            colours = 1u << bits;
        }
        if (paletteAt + colours * 4 > size) {
            return fail(error, "the palette is cut short");
        }
    }
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    const std::size_t pixelBytes = rowBytes * static_cast<std::size_t>(height);
    if (pixelsAt < paletteAt || pixelsAt > size || size - pixelsAt < pixelBytes) {
        return fail(error, "the pixel rows are cut short");
    }

    out.width = width;
    out.height = static_cast<int>(height);
    out.pixels.assign(pixelIndex(width, 0, out.height), 0);
    for (std::int64_t row = 0; row < height; ++row) {
        const std::int64_t stored = topDown ? row : height - 1 - row;
        const std::uint8_t* line = bytes + pixelsAt + rowBytes * static_cast<std::size_t>(stored);
        std::uint32_t* target = out.pixels.data() + pixelIndex(width, 0, static_cast<int>(row));
        for (std::int32_t column = 0; column < width; ++column) {
            std::uint32_t pixel = 0;
            if (bits <= 8) {
                const std::size_t bit = static_cast<std::size_t>(column) * bits;
                const unsigned shift = 8 - bits - bit % 8;
                const unsigned index = line[bit / 8] >> shift & ((1u << bits) - 1);
                if (index >= colours) {
                    return fail(error, "a pixel names a colour beyond the palette");
                }
                pixel = u32(bytes + paletteAt + index * 4) & 0xFFFFFFu;
            } else {
                const std::uint8_t* p = line + static_cast<std::size_t>(column) * (bits / 8);
                pixel = static_cast<std::uint32_t>(p[2]) << 16 |
                        static_cast<std::uint32_t>(p[1]) << 8 | p[0];
            }
            target[column] = 0xFF000000u | pixel;
        }
    }
    return true;
}

} // namespace icon
