#include "shell/icon.h"

namespace shell {

namespace {

constexpr std::size_t HEADER_BYTES = 40;
constexpr int SIDE = platform::ICON_SIZE;

std::uint32_t readU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

int readU16(const std::uint8_t* p) {
    return p[0] | p[1] << 8;
}

} // namespace

int decodeIcon(const std::uint8_t* bytes, std::size_t size, IconPixels& out) {
    if (bytes == nullptr || size < HEADER_BYTES || readU32(bytes) < HEADER_BYTES) {
        return 0;
    }
    const std::size_t headerSize = readU32(bytes);
    const auto width = static_cast<std::int32_t>(readU32(bytes + 4));
    const auto height = static_cast<std::int32_t>(readU32(bytes + 8));
    const int bits = readU16(bytes + 14);
    const std::uint32_t compression = readU32(bytes + 16);
    std::uint32_t colours = readU32(bytes + 32);
    if (width != SIDE || (height != SIDE && height != 2 * SIDE) || compression != 0 ||
        (bits != 1 && bits != 4 && bits != 8)) {
        return 0;
    }
    const std::uint32_t maxColours = 1u << bits;
    if (colours == 0 || colours > maxColours) {
        colours = maxColours;
    }
    const std::size_t rowBytes = static_cast<std::size_t>((SIDE * bits + 31) / 32 * 4);
    const std::size_t maskRowBytes = 4; // 32 one-bit pixels
    const bool hasMask = height == 2 * SIDE;
    const std::size_t paletteAt = headerSize;
    const std::size_t pixelsAt = paletteAt + colours * 4;
    const std::size_t maskAt = pixelsAt + rowBytes * SIDE;
    const std::size_t needed = hasMask ? maskAt + maskRowBytes * SIDE : maskAt;
    if (headerSize > size || needed > size) {
        return 0;
    }
    for (int row = 0; row < SIDE; ++row) { // row 0 is the bottom line
        const std::uint8_t* line = bytes + pixelsAt + rowBytes * static_cast<std::size_t>(row);
        const std::uint8_t* mask = bytes + maskAt + maskRowBytes * static_cast<std::size_t>(row);
        for (int column = 0; column < SIDE; ++column) {
            const int bit = column * bits;
            const int shift = 8 - bits - bit % 8;
            const std::uint32_t index = line[bit / 8] >> shift & (maxColours - 1);
            std::uint32_t pixel = 0;
            if (index < colours) {
                const std::uint8_t* entry = bytes + paletteAt + index * 4;
                pixel = 0xFF000000u | static_cast<std::uint32_t>(entry[2]) << 16 |
                        static_cast<std::uint32_t>(entry[1]) << 8 | entry[0];
            }
            if (hasMask && (mask[column / 8] >> (7 - column % 8) & 1) != 0) {
                pixel = 0;
            }
            out[(SIDE - 1 - row) * SIDE + column] = pixel;
        }
    }
    return 1;
}

} // namespace shell
