#include "bmp_writer.h"

#include <fstream>

namespace artgen {
namespace {

void put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

std::vector<std::uint8_t> encode(const IndexedPicture& p, int bits, int paletteSize) {
    const int rowBytes = ((p.width * bits + 31) / 32) * 4;
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(rowBytes * p.height);
    const std::uint32_t offset = 14 + 40 + 4 * paletteSize;
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + pixelBytes);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(p.width));
    put32(out, static_cast<std::uint32_t>(p.height));
    put16(out, 1);
    put16(out, static_cast<unsigned>(bits));
    put32(out, 0); // no compression
    put32(out, pixelBytes);
    put32(out, 2835); // 72 dpi
    put32(out, 2835);
    put32(out, static_cast<std::uint32_t>(paletteSize));
    put32(out, 0);
    for (int i = 0; i < paletteSize; ++i) {
        const Rgb c = i < static_cast<int>(p.palette.size()) ? p.palette[i] : Rgb{0, 0, 0};
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (int y = p.height - 1; y >= 0; --y) {
        const std::size_t start = out.size();
        for (int x = 0; x < p.width; ++x) {
            const std::uint8_t index = p.indices[static_cast<std::size_t>(y) * p.width + x];
            if (bits == 8) {
                out.push_back(index);
            } else if (x % 2 == 0) {
                out.push_back(static_cast<std::uint8_t>((index & 0x0F) << 4));
            } else {
                out.back() |= static_cast<std::uint8_t>(index & 0x0F);
            }
        }
        out.resize(start + rowBytes, 0);
    }
    return out;
}

} // namespace

IndexedPicture makePicture(int width, int height) {
    IndexedPicture p;
    p.width = width;
    p.height = height;
    p.indices.assign(static_cast<std::size_t>(width) * height, 0);
    return p;
}

std::vector<std::uint8_t> encodeBmp8(const IndexedPicture& picture) {
    return encode(picture, 8, 256);
}

std::vector<std::uint8_t> encodeBmp4(const IndexedPicture& picture) {
    return encode(picture, 4, 16);
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace artgen
