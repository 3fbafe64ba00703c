// Writes palette BMP files in the one shape the game's loader reads.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace artgen {

struct Rgb {
    std::uint8_t r, g, b;
};

// A palette picture, top row first as an editor shows it.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices; // width * height, top row first
    std::vector<Rgb> palette;          // up to 256 (8-bit) or 16 (4-bit) entries

    std::uint8_t& at(int x, int y) { return indices[static_cast<std::size_t>(y) * width + x]; }
};

IndexedPicture makePicture(int width, int height);

// 8 bits per pixel, 256 palette entries, rows bottom-up; width a multiple of 4.
std::vector<std::uint8_t> encodeBmp8(const IndexedPicture& picture);

// 4 bits per pixel, 16 palette entries, rows bottom-up and padded to 4 bytes.
std::vector<std::uint8_t> encodeBmp4(const IndexedPicture& picture);

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace artgen
