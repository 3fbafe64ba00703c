// Reads a Windows bitmap file into an Image.
#pragma once

#include "image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace icon {

// Decodes a whole .bmp file: an information header of 40 bytes or more,
// no compression, 1, 4 or 8 bits per pixel with a palette, or 24 or 32
// bits, rows bottom-up or top-down. Every pixel comes out opaque. Returns
// false with a reason in `error` for anything else or for missing bytes.
bool readBmp(const std::vector<std::uint8_t>& file, Image& out, std::string& error);

} // namespace icon
