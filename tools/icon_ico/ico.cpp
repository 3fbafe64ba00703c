// Build helper: turns the window icon's art (res/icon.bmp, 32 by 32) into
// the Windows icon file that becomes icon resource 106: 16, 32 and 48
// pixels, 32-bit with alpha and an AND mask. Black is transparent, as in
// all of the game's art.
//
//   sorvi-ico ICON_BMP OUTPUT_ICO
#include "shell/icon.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr std::size_t FILE_HEADER_BYTES = 14;
constexpr int SIDE = platform::ICON_SIZE;
constexpr int SIZES[] = {16, 32, 48};

struct Picture {
    int side;
    std::vector<std::uint32_t> pixels; // 0xAARRGGBB, top row first
};

int fail(const std::string& message) {
    std::fprintf(stderr, "sorvi-ico: %s\n", message.c_str());
    return 1;
}

// Each pixel of the half-size picture is the mean of a 2 by 2 block: the
// colour of its opaque pixels, as opaque as the share of them.
Picture halved(const shell::IconPixels& source) {
    Picture out{SIDE / 2, std::vector<std::uint32_t>(SIDE / 2 * SIDE / 2)};
    for (int y = 0; y < SIDE / 2; ++y) {
        for (int x = 0; x < SIDE / 2; ++x) {
            unsigned red = 0;
            unsigned green = 0;
            unsigned blue = 0;
            unsigned opaque = 0;
            for (int dy = 0; dy < 2; ++dy) {
                for (int dx = 0; dx < 2; ++dx) {
                    const std::uint32_t p = source[(2 * y + dy) * SIDE + 2 * x + dx];
                    if ((p >> 24) != 0) {
                        red += p >> 16 & 0xFF;
                        green += p >> 8 & 0xFF;
                        blue += p & 0xFF;
                        ++opaque;
                    }
                }
            }
            std::uint32_t pixel = 0;
            if (opaque > 0) {
                const unsigned alpha = (255 * opaque + 2) / 4;
                pixel = alpha << 24 | (red + opaque / 2) / opaque << 16 |
                        (green + opaque / 2) / opaque << 8 | (blue + opaque / 2) / opaque;
            }
            out.pixels[static_cast<std::size_t>(y * (SIDE / 2) + x)] = pixel;
        }
    }
    return out;
}

// Nearest pixel, for the same size and larger.
Picture scaled(const shell::IconPixels& source, int side) {
    Picture out{side, std::vector<std::uint32_t>(static_cast<std::size_t>(side * side))};
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            out.pixels[static_cast<std::size_t>(y * side + x)] =
                source[(y * SIDE / side) * SIDE + x * SIDE / side];
        }
    }
    return out;
}

void put16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8 & 0xFF);
}

void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

std::size_t maskRowBytes(int side) {
    return static_cast<std::size_t>((side + 31) / 32 * 4);
}

// One image of the icon: its header (twice the height: colour rows, then
// the mask's), the colour rows bottom first, then the AND mask's.
std::string imageBytes(const Picture& picture) {
    const int side = picture.side;
    std::string out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(side));
    put32(out, static_cast<std::uint32_t>(2 * side));
    put16(out, 1);  // planes
    put16(out, 32); // bits per pixel
    put32(out, 0);  // no compression
    put32(out, static_cast<std::uint32_t>(side * side * 4 + maskRowBytes(side) * side));
    for (int i = 0; i < 4; ++i) {
        put32(out, 0);
    }
    for (int y = side - 1; y >= 0; --y) {
        for (int x = 0; x < side; ++x) {
            const std::uint32_t p = picture.pixels[static_cast<std::size_t>(y * side + x)];
            put32(out, (p >> 24) == 0 ? 0 : p); // BGRA in memory
        }
    }
    for (int y = side - 1; y >= 0; --y) {
        std::string row(maskRowBytes(side), '\0');
        for (int x = 0; x < side; ++x) {
            if ((picture.pixels[static_cast<std::size_t>(y * side + x)] >> 24) == 0) {
                row[static_cast<std::size_t>(x / 8)] =
                    static_cast<char>(row[static_cast<std::size_t>(x / 8)] | 0x80 >> (x % 8));
            }
        }
        out += row;
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        return fail("usage: sorvi-ico ICON_BMP OUTPUT_ICO");
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    shell::IconPixels pixels{};
    if (bytes.size() <= FILE_HEADER_BYTES ||
        shell::decodeIcon(bytes.data() + FILE_HEADER_BYTES, bytes.size() - FILE_HEADER_BYTES,
                          pixels) == 0) {
        return fail(std::string(argv[1]) + " is not a 32 by 32 palette icon");
    }
    for (std::uint32_t& p : pixels) {
        if ((p & 0xFFFFFFu) == 0) {
            p = 0;
        }
    }

    std::vector<std::string> images;
    for (const int side : SIZES) {
        images.push_back(imageBytes(side < SIDE ? halved(pixels) : scaled(pixels, side)));
    }
    const std::size_t count = images.size();
    std::string out;
    put16(out, 0);
    put16(out, 1); // an icon
    put16(out, static_cast<unsigned>(count));
    std::size_t offset = 6 + 16 * count;
    for (std::size_t i = 0; i < count; ++i) {
        out += static_cast<char>(SIZES[i]); // width and height (0 would mean 256)
        out += static_cast<char>(SIZES[i]);
        out += '\0'; // no palette
        out += '\0';
        put16(out, 1);
        put16(out, 32);
        put32(out, static_cast<std::uint32_t>(images[i].size()));
        put32(out, static_cast<std::uint32_t>(offset));
        offset += images[i].size();
    }
    for (const std::string& image : images) {
        out += image;
    }
    std::ofstream file(argv[2], std::ios::binary);
    file << out;
    return file ? 0 : fail(std::string("cannot write ") + argv[2]);
}
