#include "ico_writer.h"

#include "png_writer.h"

namespace icon {
namespace {

// Images this wide and wider are PNG, which Windows reads in icons since
// Vista (and expects at 256): as bitmaps they would make up most of the
// program's size.
constexpr int PNG_FROM = 128;

void put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8 & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

std::size_t maskRowBytes(int width) {
    return static_cast<std::size_t>((width + 31) / 32 * 4);
}

// One image: its header (twice the height: the colour rows, then the
// mask's), the colour rows bottom first, then the AND mask's.
std::vector<std::uint8_t> imageBytes(const Image& image) {
    const int w = image.width;
    const int h = image.height;
    std::vector<std::uint8_t> out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(w));
    put32(out, static_cast<std::uint32_t>(2 * h));
    put16(out, 1);  // planes
    put16(out, 32); // bits per pixel
    put32(out, 0);  // no compression
    put32(out, static_cast<std::uint32_t>(static_cast<std::size_t>(w * h * 4) +
                                          maskRowBytes(w) * static_cast<std::size_t>(h)));
    for (int i = 0; i < 4; ++i) {
        put32(out, 0);
    }
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = image.pixels[pixelIndex(w, x, y)];
            put32(out, (p >> 24) == 0 ? 0 : p); // blue, green, red, alpha in memory
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskRowBytes(w), 0);
        for (int x = 0; x < w; ++x) {
            if ((image.pixels[pixelIndex(w, x, y)] >> 24) == 0) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace

std::vector<std::uint8_t> encodeIco(const std::vector<Image>& images) {
    std::vector<std::vector<std::uint8_t>> bodies;
    for (const Image& image : images) {
        if (image.width <= 0 || image.height <= 0 || image.width > 256 || image.height > 256 ||
            image.pixels.size() != pixelIndex(image.width, 0, image.height)) {
            return {};
        }
        bodies.push_back(image.width >= PNG_FROM ? encodePng(image) : imageBytes(image));
    }
    if (bodies.empty()) {
        return {};
    }
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 1); // an icon
    put16(out, static_cast<unsigned>(bodies.size()));
    std::size_t offset = 6 + 16 * bodies.size();
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        out.push_back(static_cast<std::uint8_t>(images[i].width & 0xFF)); // 0 stands for 256
        out.push_back(static_cast<std::uint8_t>(images[i].height & 0xFF));
        out.push_back(0); // no palette
        out.push_back(0);
        put16(out, 1);
        put16(out, 32);
        put32(out, static_cast<std::uint32_t>(bodies[i].size()));
        put32(out, static_cast<std::uint32_t>(offset));
        offset += bodies[i].size();
    }
    for (const std::vector<std::uint8_t>& body : bodies) {
        out.insert(out.end(), body.begin(), body.end());
    }
    return out;
}

} // namespace icon
